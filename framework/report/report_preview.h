#pragma once
// The report engine's modal preview: the pages at a zoom the user chooses
// (whole page, page width, 100 %), paging with buttons and PageUp, PageDown,
// Home and End, "Page x of y", Print and Close (Esc).
#include "framework/form.h"
#include "framework/report/report.h"

#include <memory>
#include <optional>

namespace zandrel {

class ReportPageView;

// The preview's design: its bar of buttons and its page label.
const FormDescription& ReportPreviewDescription();

class ReportPreview : public Form {
public:
    explicit ReportPreview(Report& report);
    ~ReportPreview() override;

    enum class Zoom { WholePage, PageWidth, Actual };

    std::size_t CurrentPage() const { return page_; }
    std::size_t PageCount() const { return report_.PageCount(); }
    bool Producing() const { return !report_.Finished(); }
    Zoom CurrentZoom() const { return zoom_; }
    HWND View() const;
    // The paper the pages are laid out on (the last print's).
    const report::PageSetup& Paper() const { return report_.Layout().Page(); }
    bool Printing() const { return printing_; }
    int Prints() const { return prints_; } // those that printed every page

    void ShowPage(std::size_t page);
    void SetZoom(Zoom zoom);
    enum class PrintOutcome { NotChosen, Printed, Cancelled, Failed };
    // The print dialog, then every page produced again and printed. A print
    // that failed is reported in the error box: that the report was not
    // printed, and why.
    PrintOutcome PrintReport();
    // The page's picture, produced on demand (the caller does not free it).
    HENHMETAFILE PageImage(std::size_t page);

    void FormCreate(Event&);
    void FormClose(Event&);
    void btnWholePageClick(Event&);
    void btnPageWidthClick(Event&);
    void btn100Click(Event&);
    void btnFirstClick(Event&);
    void btnPriorClick(Event&);
    void btnNextClick(Event&);
    void btnLastClick(Event&);
    void btnPrintClick(Event&);
    void btnCloseClick(Event&);
    // PageUp, PageDown, Home, End from any of its windows.
    bool PagingKey(WPARAM key);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

private:
    void PlaceView();
    void WatchPagingKeys();
    void ProduceMore();
    void UpdateStatus();
    // The pages on the printer, with the progress in the page label; false
    // when the user cancelled.
    bool PrintPages(const PrinterChoice& printer);

    Report& report_;
    std::unique_ptr<ReportPageView> view_;
    std::vector<MetafileHandle> images_;
    std::size_t page_ = 0;
    Zoom zoom_ = Zoom::PageWidth;
    bool printing_ = false;
    bool cancelPrint_ = false;
    int prints_ = 0;
};

// The names of the print preview's components and event handlers, each spelled once.
namespace form_preview {
inline constexpr char PanelBar[] = "PanelBar";
inline constexpr char lblPage[] = "lblPage";
inline constexpr char btnWholePage[] = "btnWholePage";
inline constexpr char btnPageWidth[] = "btnPageWidth";
inline constexpr char btn100[] = "btn100";
inline constexpr char btnFirst[] = "btnFirst";
inline constexpr char btnPrior[] = "btnPrior";
inline constexpr char btnNext[] = "btnNext";
inline constexpr char btnLast[] = "btnLast";
inline constexpr char btnPrint[] = "btnPrint";
inline constexpr char btnClose[] = "btnClose";
namespace on {
inline constexpr char FormCreate[] = "FormCreate";
inline constexpr char FormClose[] = "FormClose";
inline constexpr char btnWholePageClick[] = "btnWholePageClick";
inline constexpr char btnPageWidthClick[] = "btnPageWidthClick";
inline constexpr char btn100Click[] = "btn100Click";
inline constexpr char btnFirstClick[] = "btnFirstClick";
inline constexpr char btnPriorClick[] = "btnPriorClick";
inline constexpr char btnNextClick[] = "btnNextClick";
inline constexpr char btnLastClick[] = "btnLastClick";
inline constexpr char btnPrintClick[] = "btnPrintClick";
inline constexpr char btnCloseClick[] = "btnCloseClick";
} // namespace on
} // namespace form_preview

} // namespace zandrel
