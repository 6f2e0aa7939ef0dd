#pragma once
// A print job on a printer's DC. Every call of the job is checked: one that
// fails throws a SystemError, and a job that has not ended when it goes (a
// failed call, a page that threw, a cancel) is aborted, so that the spooler
// never takes half a document for a whole one.
#include <windows.h>

#include <string>

namespace zandrel {

// A printer's DC and the spooler's calls on it, each answering as the
// system's call of that name (above 0 when it succeeded, the reason in
// GetLastError otherwise); tests make one of them fail.
class PrintDevice {
public:
    explicit PrintDevice(HDC dc) : dc_(dc) {}
    virtual ~PrintDevice() = default;
    PrintDevice(const PrintDevice&) = delete;
    PrintDevice& operator=(const PrintDevice&) = delete;

    HDC Dc() const { return dc_; }
    virtual int StartDocument(const DOCINFOA& document) { return StartDocA(dc_, &document); }
    virtual int StartPage() { return ::StartPage(dc_); }
    virtual int EndPage() { return ::EndPage(dc_); }
    virtual int EndDocument() { return EndDoc(dc_); }
    virtual int AbortDocument() { return AbortDoc(dc_); }

private:
    HDC dc_;
};

class PrintJob {
public:
    // Starts the document `name` (StartDoc).
    PrintJob(PrintDevice& device, const std::string& name);
    // Aborts the document unless it ended.
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Page `number` (1-based) starts and ends.
    void StartPage(std::size_t number);
    void EndPage(std::size_t number);
    // The spooler has the whole document (EndDoc).
    void End();

private:
    PrintDevice& device_;
    bool open_ = false;
};

} // namespace zandrel
