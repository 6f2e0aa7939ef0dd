#pragma once
// The banded report engine: a report form
// with a title band on the first page, a detail band produced through a
// need-data callback, and a page footer on every page; labels, system-data
// fields, line shapes and a rich-text element; one renderer that draws a page
// on any device context at its resolution (the preview's screen, a printer,
// a metafile); the modal preview and printing. Texts are laid out once, in
// millimetres (report_text.h), so that every device shows the same lines.
//
// Production runs on the user-interface thread, not a worker thread:
// the preview is modal and the main window hidden, so the message list cannot
// change while pages are produced, and no lock is needed.
#include "framework/core/environment.h"
#include "framework/form_description.h"
#include "framework/handles.h"
#include "framework/report/core/report_layout.h"
#include "framework/report/core/text_layout.h"
#include "framework/report/print_job.h"
#include "framework/report/report_text.h"
#include "storage/core/clock.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

struct ReportFont {
    std::string Name = "Arial";
    int Points = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    Color Colour = kSystemColor | COLOR_WINDOWTEXT;
};

inline constexpr Color clGray = 0x808080;
inline constexpr Color clWhite = 0xFFFFFF;
inline constexpr Color clWindow = kSystemColor | COLOR_WINDOW;

// Positions and sizes in millimetres inside the band.
class ReportElement {
public:
    virtual ~ReportElement() = default;
    std::string Name;
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    ReportFont Font;

protected:
    ReportElement() = default;
};

// A label: sizes itself to its text (AutoSize) and wraps words before the
// next label of its row or the right margin. A word wider than that room,
// or lines that would leave the band, make the label's font smaller until
// it fits (on one line in the second case).
class ReportLabel : public ReportElement {
public:
    std::string Caption;
    bool Transparent = false;
    Color Background = clWhite; // behind the text unless Transparent
    bool AlignRight = false;    // the right edge stays at Left + Width
};

enum class SysDataKind { DateTime, Date, PageNumber };

// A fixed text followed by the production's date and time, its date, or the
// page number.
class ReportSystemData : public ReportLabel {
public:
    SysDataKind Data = SysDataKind::DateTime;
    std::string Text;
};

// A horizontal line.
class ReportShape : public ReportElement {
public:
    Color Pen = 0;
};

// Formatted text in a framed box; its height is set by the need-data
// callback before the band prints. Font is the base font of text without a
// format of its own.
class ReportRichText : public ReportElement {
public:
    ReportRichText();
    ~ReportRichText() override;
    Color Frame = clGray;
    Color Background = clWindow;
    // mm between the frame and the text: at the sides, and above and below
    // (where the line's own leading adds to it).
    double InsetX = 1.0;
    double InsetY = 0.5;

    void Clear();
    // As RTF when it is RTF, else as plain text.
    void Load(std::string_view text);
    // The text laid out at the box's width less the insets.
    std::shared_ptr<const report::TextLayout> Layout();
    int LineCount();
    // In mm: the text's height with the insets above and below it, and the
    // bottom of each line from the box's top.
    double FormattedHeight();
    std::vector<double> LineBottoms();

private:
    std::string content_;
    std::shared_ptr<const report::TextLayout> layout_;
    std::unique_ptr<ReportTextMeasurer> measurer_;
};

struct ReportBand {
    report::BandKind Kind = report::BandKind::Detail;
    double Height = 0;
    Color Background = clWhite;
    std::vector<std::unique_ptr<ReportElement>> Elements;

    template <typename Element> Element& Add(std::string name) {
        auto element = std::make_unique<Element>();
        element->Name = std::move(name);
        Element& added = *element;
        Elements.push_back(std::move(element));
        return added;
    }
};

class Report {
public:
    Report();
    virtual ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    report::PageSetup Page;
    // What the user calls it, for the messages about it: "the report was not printed".
    std::string Name = "report";
    ReportBand TitleBand;
    ReportBand DetailBand;
    ReportBand PageFooterBand;

    // Before each production of the report.
    std::function<void()> OnBeforePrint;
    // Before each detail band: MoreData says whether one follows.
    std::function<void(bool& MoreData)> OnNeedData;

    // Starts a production from the beginning on the designed page: the
    // before-print callback, an empty layout, the clock read for the
    // system-data fields.
    void Prepare(const Clock& clock) { Prepare(clock, Page); }
    // Produces until `pages` pages are complete or the report ends.
    void ProduceUntil(std::size_t pages);
    // Produces up to `details` more detail bands; false once the report ended.
    bool ProduceSome(int details);
    void ProduceAll() { ProduceUntil(static_cast<std::size_t>(-1)); }
    bool Finished() const;
    std::size_t PageCount() const; // complete pages
    const report::ReportLayout& Layout() const { return *layout_; }

    // Draws page `index` (0-based, complete) on `dc`.
    void RenderPage(HDC dc, std::size_t index, const RenderTarget& target);
    // The page as an enhanced metafile at the resolution of `reference` (the
    // screen's when null), whose point (0, 0) is the paper's corner.
    MetafileHandle PageMetafile(std::size_t index, HDC reference = nullptr);

    // Produces the report again from the start and prints every page on the
    // printer, asking it for A4 portrait and the copies chosen (on a printer
    // without A4 the page is laid out on its own paper); `progress` (page
    // done, pages) returns false to cancel. Returns false when cancelled.
    // A printer that cannot be opened or a print call that fails throws a
    // SystemError; the document is aborted on any failure or cancel.
    bool Print(const PrinterChoice& printer, const Clock& clock,
               const std::function<bool(std::size_t, std::size_t)>& progress);
    // The same on a printer already open.
    bool Print(PrintDevice& device, const Clock& clock,
               const std::function<bool(std::size_t, std::size_t)>& progress);

    // The modal preview; returns when the user closes it.
    void Preview();

private:
    struct DetailSnapshot;
    void Prepare(const Clock& clock, const report::PageSetup& page);
    void RenderBand(HDC dc, PageTextBatch& texts, const ReportBand& band,
                    const report::PlacedBand& placed, const DetailSnapshot* snapshot,
                    std::size_t pageIndex, const RenderTarget& target);
    void DrawLabel(HDC dc, PageTextBatch& texts, const RenderTarget& target, const ReportBand& band,
                   const ReportLabel& label, const std::string& caption,
                   const report::PlacedBand& placed);

    std::unique_ptr<report::ReportLayout> layout_;
    std::unique_ptr<ReportTextMeasurer> labelMeasurer_;
    std::vector<DetailSnapshot> details_;
    TDateTime produced_ = 0;
    bool ended_ = false;
};

} // namespace zandrel
