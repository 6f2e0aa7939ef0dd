#include "framework/report/print_job.h"

#include "framework/system_error.h"

namespace zandrel {

PrintJob::PrintJob(PrintDevice& device, const std::string& name) : device_(device) {
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    if (device_.StartDocument(document) <= 0) {
        throw SystemError("Cannot start the document", "StartDoc");
    }
    open_ = true;
}

PrintJob::~PrintJob() {
    if (open_) {
        device_.AbortDocument(); // nothing is left to do when even this fails
    }
}

void PrintJob::StartPage(std::size_t number) {
    if (device_.StartPage() <= 0) {
        throw SystemError("Cannot start page " + std::to_string(number), "StartPage");
    }
}

void PrintJob::EndPage(std::size_t number) {
    if (device_.EndPage() <= 0) {
        throw SystemError("Cannot end page " + std::to_string(number), "EndPage");
    }
}

void PrintJob::End() {
    if (device_.EndDocument() <= 0) {
        throw SystemError("Cannot end the document", "EndDoc");
    }
    open_ = false;
}

} // namespace zandrel
