// The catalog under Wine: its pages rendered into enhanced metafiles and
// their texts read back, the preview opened from the main window, and a
// real print when the test script has set up a PDF printer.
#include "catalog/report.h"

#include "framework/application.h"
#include "framework/device_context.h"
#include "framework/report/printer_settings.h"
#include "framework/report/report_preview.h"
#include "framework/system_date_time.h"
#include "framework/system_error.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "framework/tests/metafile_text.h"

#include <gtest/gtest.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace zandrel::testing {
namespace {

constexpr double kSecond = 1.0 / 86400;

std::string Rtf(const std::string& text) {
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + text + "\\par}";
}

struct Catalog {
    MessageList list{"ZandrelData.dat"};

    TMessageEntry& Add(const std::string& rtf, TDateTime start, int incType = 0) {
        auto entry = std::make_unique<TMessageEntry>(TestEnvironment(), "ZandrelData.dat");
        entry->Record.StartDate = start;
        entry->Record.AlarmDate = start + 1.5;
        entry->Record.NextWarn = start + 2;
        entry->Record.IncType = static_cast<std::uint8_t>(incType);
        entry->RichText = rtf;
        entry->Key = "k" + std::to_string(list.Count());
        return list.Append(std::move(entry));
    }
};

struct PageTexts {
    std::vector<std::vector<PageText>> Pages;

    // Every text of every page, in the order drawn, joined by blanks.
    std::string All() const {
        std::string all;
        for (const auto& page : Pages) {
            for (const auto& text : page) {
                all += text.Text + " ";
            }
        }
        return all;
    }
    bool OnPage(std::size_t page, const std::string& start) const {
        return std::any_of(Pages[page].begin(), Pages[page].end(),
                           [&](const PageText& text) { return text.Text.rfind(start, 0) == 0; });
    }
};

PageTexts Render(Report& report) {
    report.Prepare(TestEnvironment());
    report.ProduceAll();
    PageTexts texts;
    for (std::size_t page = 0; page < report.PageCount(); ++page) {
        texts.Pages.push_back(TextsOfMetafile(report.PageMetafile(page).get()));
    }
    return texts;
}

// Where `text` is found from `from` on in the page texts joined by blanks
// (a label wrapped at a blank reads as before), or npos.
std::size_t Find(const std::string& all, const std::string& text, std::size_t from = 0) {
    return all.find(text, from);
}

class CatalogTest : public ::testing::Test {
protected:
    CatalogTest() { TestEnvironment().Reset(); }
};

TEST_F(CatalogTest, AnEmptyListPrintsOnePageWithTheTitleAndTheFooterOnly) {
    Catalog catalog;
    TQReport1 report(catalog.list);
    const PageTexts texts = Render(report);
    ASSERT_EQ(texts.Pages.size(), 1u);
    EXPECT_TRUE(texts.OnPage(0, "Zandrel"));
    EXPECT_TRUE(texts.OnPage(0, "Report of context"));
    EXPECT_TRUE(texts.OnPage(0, "Created:" + DateTimeToText(TestEnvironment().now)));
    EXPECT_TRUE(texts.OnPage(0, "Printed at " + DateTimeToText(45000.0)));
    EXPECT_TRUE(texts.OnPage(0, "Page num.1"));
    EXPECT_FALSE(texts.OnPage(0, "Starting date: "));
    EXPECT_FALSE(texts.OnPage(0, "Text of memo"));
}

TEST_F(CatalogTest, EachMessagePrintsItsLabelsAndTextInListOrder) {
    Catalog catalog;
    const TDateTime now = TestEnvironment().now;
    catalog.Add(Rtf("first message"), now - 10 * kSecond);
    catalog.Add(Rtf("second message"), 45000.0, 2); // midnight, each day
    catalog.Add("plain third message", now + 0.25); // not RTF: loaded as text
    TQReport1 report(catalog.list);
    const PageTexts texts = Render(report);
    ASSERT_EQ(texts.Pages.size(), 1u);
    const auto all = texts.All();
    std::size_t at = 0;
    for (std::size_t row = 0; row < catalog.list.Count(); ++row) {
        const TMessageEntry& entry = catalog.list.Entry(row);
        // The date labels may wrap before the time of day (their second
        // line follows the row in reading order).
        const auto date = [](TDateTime moment) {
            const std::string text = DateTimeToText(moment);
            return text.substr(0, text.find(' '));
        };
        const std::vector<std::string> expected = {
            "Starting date: " + date(entry.Record.StartDate),
            "Alarm date: " + date(entry.Record.AlarmDate),
            "nextWarn (+" + std::to_string(entry.Record.IncType) + ") " +
                DateTimeToText(entry.Record.NextWarn),
            "Text of memo",
        };
        for (const auto& text : expected) {
            const std::size_t found = Find(all, text, at);
            ASSERT_NE(found, std::string::npos) << text;
            at = found + 1;
        }
        const std::vector<std::string> words = {"first message", "second message",
                                                "plain third message"};
        const std::size_t found = Find(all, words[row], at);
        ASSERT_NE(found, std::string::npos) << words[row];
        at = found + 1;
    }
    // A start at exactly midnight prints the date alone; IncType 2 as its number.
    EXPECT_NE(Find(all, "Starting date: " + DateTimeToText(45000.0) + " "), std::string::npos);
    EXPECT_EQ(DateTimeToText(45000.0).find(':'), std::string::npos);
    EXPECT_NE(Find(all, "nextWarn (+2) "), std::string::npos);
}

// How far a label's baseline lies below its top, in mm.
double Ascent(const char* face, double points, bool bold = false, bool italic = false) {
    report::FontSpec font;
    font.Face = face;
    font.Points = points;
    font.Bold = bold;
    font.Italic = italic;
    return ReportTextMeasurer().Metrics(font).Ascent;
}

const PageText* TextStarting(const std::vector<PageText>& page, const std::string& start,
                             std::size_t skip = 0) {
    for (const auto& text : page) {
        if (text.Text.rfind(start, 0) == 0 && skip-- == 0) {
            return &text;
        }
    }
    return nullptr;
}

TEST_F(CatalogTest, TheTextsStandAtTheDesignsPlacesOnThePaper) {
    Catalog catalog;
    catalog.Add(Rtf("first"), 45000.5);
    catalog.Add(Rtf("second"), 45000.5);
    TQReport1 report(catalog.list);
    const PageTexts texts = Render(report);
    ASSERT_EQ(texts.Pages.size(), 1u);
    const auto& page = texts.Pages[0];
    // Paper = margin 10 mm + the band's top + the element's place.
    const PageText* title = TextStarting(page, "Zandrel");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->X, 10 + 9.4, 0.5);
    EXPECT_NEAR(title->Y, 10 + 2.3 + Ascent("Garamond", 30, true), 0.5);
    const double firstBand = 10 + 23.8;
    const PageText* start = TextStarting(page, "Starting date: ");
    const PageText* alarm = TextStarting(page, "Alarm date: ");
    const PageText* warn = TextStarting(page, "nextWarn (+0) ");
    const PageText* memo = TextStarting(page, "Text of memo");
    ASSERT_TRUE(start && alarm && warn && memo);
    const double labelAscent = Ascent("Arial", 10, true, true);
    EXPECT_NEAR(start->X, 10 + 8.3, 0.5);
    EXPECT_NEAR(start->Y, firstBand + 1.5 + labelAscent, 0.5);
    EXPECT_NEAR(alarm->X, 10 + 68.0, 0.5);
    EXPECT_NEAR(warn->X, 10 + 125.5, 0.5);
    EXPECT_NEAR(memo->X, 10 + 7.2, 0.5);
    EXPECT_NEAR(memo->Y, firstBand + 9.4 + Ascent("Arial", 10, true), 0.5);
    // The text stands a little inside its frame.
    const PageText* text = TextStarting(page, "first");
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(text->X, 10 + 6.4 + 1, 0.3);
    EXPECT_NEAR(text->Y, firstBand + report::PixelsToMm(40) + 0.5 + Ascent("Arial", 10), 0.3);
    // One line: a box of 15 pixels, a band of 40 + 15 + 5 pixels.
    const PageText* second = TextStarting(page, "Starting date: ", 1);
    ASSERT_NE(second, nullptr);
    EXPECT_NEAR(second->Y, firstBand + report::PixelsToMm(60) + 1.5 + labelAscent, 0.5);
    const PageText* number = TextStarting(page, "Page num.1");
    ASSERT_NE(number, nullptr);
    EXPECT_NEAR(number->X, 10 + 150.4, 0.5);
    EXPECT_NEAR(number->Y, 297 - 10 - 10.6 + 5.3 + Ascent("Arial", 10), 0.5);
}

TEST_F(CatalogTest, ManyMessagesTakeSeveralPagesWithTheFooterOnEachAndTheTitleOnTheFirst) {
    Catalog catalog;
    for (int i = 0; i < 30; ++i) {
        catalog.Add(Rtf("message number " + std::to_string(i)), 45000.5);
    }
    TQReport1 report(catalog.list);
    const PageTexts texts = Render(report);
    ASSERT_GT(texts.Pages.size(), 2u);
    for (std::size_t page = 0; page < texts.Pages.size(); ++page) {
        EXPECT_EQ(texts.OnPage(page, "Report of context"), page == 0);
        EXPECT_TRUE(texts.OnPage(page, "Page num." + std::to_string(page + 1)));
        EXPECT_TRUE(texts.OnPage(page, "Printed at "));
    }
    const auto all = texts.All();
    std::size_t at = 0;
    for (int i = 0; i < 30; ++i) {
        const std::size_t found = Find(all, "message number " + std::to_string(i) + " ", at);
        ASSERT_NE(found, std::string::npos) << i;
        at = found + 1;
    }
    EXPECT_EQ(report.RowIndex, 30);
}

TEST_F(CatalogTest, ATextTallerThanAPageGoesOnOnTheNextPage) {
    Catalog catalog;
    std::string lines;
    for (int i = 0; i < 120; ++i) {
        lines += "line " + std::to_string(i) + "\\par ";
    }
    catalog.Add(Rtf("before"), 45000.5);
    catalog.Add("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + lines + "}", 45000.5);
    catalog.Add(Rtf("after"), 45000.5);
    TQReport1 report(catalog.list);
    const PageTexts texts = Render(report);
    ASSERT_GE(texts.Pages.size(), 3u);
    const auto all = texts.All();
    std::size_t at = Find(all, "before");
    ASSERT_NE(at, std::string::npos);
    for (int i = 0; i < 120; ++i) {
        const std::size_t found = Find(all, "line " + std::to_string(i) + " ", at);
        ASSERT_NE(found, std::string::npos) << "line " << i;
        at = found + 1;
    }
    EXPECT_NE(Find(all, "after", at), std::string::npos);
}

TEST_F(CatalogTest, LargerFontsMakeTheBoxTallerThanLinesTimes15Pixels) {
    Catalog catalog;
    catalog.Add("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs72 big\\par big\\par}", 45000.5);
    TQReport1 report(catalog.list);
    report.Prepare(TestEnvironment());
    bool more = false;
    report.QReport1NeedData(more);
    ASSERT_TRUE(more);
    EXPECT_GE(report.QRRichText1->Height + 1e-6, report.QRRichText1->FormattedHeight());
    EXPECT_GT(report.QRRichText1->Height, report::PixelsToMm(2 * 15) + 1);
}

TEST_F(CatalogTest, ANoteShowsEveryCharacterAsUnicode) {
    Catalog catalog;
    catalog.Add("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0\\fs20 \\'cf\\'f0\\'e8"
                "\\'e2\\'e5\\'f2 \\u1084?\\u1080?\\u1088? \\u955?\\u8364? \\u27700?\\par}",
                45000.5);
    TQReport1 report(catalog.list);
    EXPECT_NE(Render(report).All().find("Привет мир λ€ 水"), std::string::npos);
}

TEST_F(CatalogTest, LabelsStayInsideTheRightMarginAndTheirBand) {
    Catalog catalog;
    catalog.Add(Rtf("one"), 45000.5);
    TQReport1 report(catalog.list);
    for (const auto& element : report.TitleBand.Elements) {
        if (auto* label = dynamic_cast<ReportLabel*>(element.get()); label->Name == "QRLabel1") {
            label->Caption = "Report of context, of every note and of everything a title holds";
        }
    }
    const PageTexts texts = Render(report);
    std::string title;
    for (const PageText& text : texts.Pages[0]) {
        EXPECT_LE(text.X + text.Width, 210 - 10 + 0.15) << text.Text; // half a pixel
        if (text.Y < 10 + 23.8) {
            title += text.Text + " ";
        }
    }
    EXPECT_NE(title.find("Report of context, of every note and of everything a title holds"),
              std::string::npos);
}

TEST_F(CatalogTest, EveryProductionStartsAgainWithTheFirstMessage) {
    Catalog catalog;
    catalog.Add(Rtf("one"), 45000.5);
    catalog.Add(Rtf("two"), 45000.5);
    TQReport1 report(catalog.list);
    for (int round = 0; round < 2; ++round) {
        const auto all = Render(report).All();
        EXPECT_LT(Find(all, "one"), Find(all, "two"));
        EXPECT_NE(Find(all, "two"), std::string::npos);
        EXPECT_EQ(report.RowIndex, 2);
    }
}

TEST_F(CatalogTest, ACancelledPrintDialogPrintsNothing) {
    Catalog catalog;
    catalog.Add(Rtf("one"), 45000.5);
    TQReport1 report(catalog.list);
    report.Prepare(TestEnvironment());
    ReportPreview preview(report);
    EXPECT_EQ(preview.PageCount(), 1u);
    TestEnvironment().printCancelled = true;
    preview.PrintReport();
    EXPECT_EQ(TestEnvironment().printDialogs, 1);
    EXPECT_EQ(preview.Prints(), 0);
    EXPECT_FALSE(preview.Printing());
}

TEST_F(CatalogTest, APrintToAPrinterThatIsNotThereIsReportedAsAnError) {
    Catalog catalog;
    catalog.Add(Rtf("one"), 45000.5);
    TQReport1 report(catalog.list);
    EXPECT_THROW(
        report.Print({"Zandrel printer that does not exist", 1, {}}, TestEnvironment(), {}),
        std::runtime_error);
}

TEST_F(CatalogTest, APrintThatFailsIsReportedByThePreviewAsNotPrinted) {
    Catalog catalog;
    TQReport1 report(catalog.list);
    report.Prepare(TestEnvironment());
    ReportPreview preview(report);
    TestEnvironment().printer = "Nowhere";
    EXPECT_EQ(preview.PrintReport(), ReportPreview::PrintOutcome::Failed);
    EXPECT_EQ(preview.Prints(), 0);
    ASSERT_EQ(TestEnvironment().boxes.size(), 1u);
    EXPECT_EQ(TestEnvironment().boxes[0].Text.rfind("The catalog was not printed on Nowhere.\n"
                                                    "Cannot open the printer Nowhere\n"
                                                    "CreateDCA failed with error ",
                                                    0),
              0u);
}

// A printer on a memory DC that records the spooler's calls and fails the
// one named, out of paper.
struct FailingPrinter : PrintDevice {
    FailingPrinter(HDC dc, std::string failing) : PrintDevice(dc), failing(std::move(failing)) {}
    int StartDocument(const DOCINFOA&) override { return Answer("StartDoc"); }
    int StartPage() override { return Answer("StartPage"); }
    int EndPage() override { return Answer("EndPage"); }
    int EndDocument() override { return Answer("EndDoc"); }
    int AbortDocument() override { return Answer("AbortDoc"); }
    int Answer(const std::string& call) {
        calls += call + " ";
        SetLastError(ERROR_OUT_OF_PAPER);
        return call == failing ? 0 : 1;
    }
    std::string failing;
    std::string calls;
};

TEST_F(CatalogTest, EveryPrintCallIsCheckedAndAFailureThrowOrCancelAbortsTheDocument) {
    const std::string outOfPaper = " failed with error 28: " + SystemErrorText(ERROR_OUT_OF_PAPER);
    const struct {
        const char* Failing;
        const char* Calls;
        std::string Error;
        std::function<bool(std::size_t, std::size_t)> Progress = {};
    } cases[] = {
        {"StartDoc", "StartDoc ", "Cannot start the document"},
        {"StartPage", "StartDoc StartPage AbortDoc ", "Cannot start page 1"},
        {"EndPage", "StartDoc StartPage EndPage AbortDoc ", "Cannot end page 1"},
        {"EndDoc", "StartDoc StartPage EndPage StartPage EndPage EndDoc AbortDoc ",
         "Cannot end the document"},
        {"", "StartDoc StartPage EndPage AbortDoc ", "!",
         [](std::size_t, std::size_t) -> bool { throw std::runtime_error("!"); }},
        {"", "StartDoc StartPage EndPage AbortDoc ", "cancelled",
         [](std::size_t, std::size_t) { return false; }},
    };
    Catalog catalog;
    for (int message = 0; message < 12; ++message) {
        catalog.Add(Rtf("message"), 45000.5); // two pages
    }
    TQReport1 report(catalog.list);
    const WindowDc screen(nullptr);
    const MemoryDc dc(screen.Get());
    for (const auto& each : cases) {
        FailingPrinter printer(dc.Get(), each.Failing);
        std::string error = "cancelled";
        try {
            EXPECT_FALSE(report.Print(printer, TestEnvironment(), each.Progress));
        } catch (const std::exception& thrown) {
            error = thrown.what();
        }
        EXPECT_EQ(error,
                  *each.Failing ? each.Error + "\n" + each.Failing + outOfPaper : each.Error);
        EXPECT_EQ(printer.calls, each.Calls);
    }
}

// The notes of the real print: each with the text a reader must find on paper.
struct PrintedNote {
    std::string Rtf;
    std::string Words;
};

std::vector<PrintedNote> PrintedNotes() {
    const std::string head = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                             "{\\f1\\fswiss\\fcharset204 Arial;}{\\f2\\fmodern\\fprq1\\fcharset0 "
                             "Courier New;}}{\\colortbl ;\\red255\\green0\\blue0;\\red128\\green0"
                             "\\blue128;\\red255\\green255\\blue0;}\\pard\\f0\\fs20 ";
    std::string longText, longWords;
    for (int i = 1; i <= 90; ++i) {
        const std::string sentence = "Sentence " + std::to_string(i) +
                                     " of the full-width note keeps every word inside its frame.";
        longText += sentence + " ";
        longWords += sentence + " ";
    }
    return {
        {head + "Alpha catalog message\\par}", "Alpha catalog message"},
        {head + "Mixed: {\\b bold}, {\\i italic}, {\\ul underlined}, {\\strike struck}, "
                "{\\cf1 red}, {\\highlight3 marked}, {\\b\\i\\cf2 bold-italic-purple} end.\\par}",
         "Mixed: bold, italic, underlined, struck, red, marked, bold-italic-purple end."},
        {head + "\\qr This right-aligned paragraph ends at the right edge of its frame\\par}",
         "This right-aligned paragraph ends at the right edge of its frame"},
        {head + "{\\f1 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 \\'ec\\'e8\\'f0}, \\u1044?\\u1086?\\u1073?"
                "\\u1088?\\u1099?\\u1081? \\u1076?\\u1077?\\u1085?\\u1100?, \\u922?\\u945?\\u955?"
                "\\u951?\\u956?\\u941?\\u961?\\u945?\\par}",
         "Привет мир, Добрый день, Καλημέρα"},
        {head + "\\tx2000\\tx5000 Name\\tab Value\\tab Note\\par}", "Name Value Note"},
        {head + "Area m{\\super 2} water H{\\sub 2}O {\\f2 fixed pitch text}\\par}",
         "Area m2 water H2O fixed pitch text"},
        {head + longText + "\\par}", longWords},
    };
}

// Prints the catalog of PrintedNotes() from one preview twice to the
// system's default printer, and once to the printer ZandrelLetter, whose
// default paper is Letter; run by scripts/print_test.sh, which sets up the
// CUPS PDF printers and reads the PDFs. Each note's words go to the output
// for the script.
TEST(CatalogPrintTest, PrintsTheNotesTwiceFromOnePreviewAndOnLetterPaper) {
    if (!std::getenv("ZANDREL_PRINT_TEST")) {
        GTEST_SKIP() << "run by scripts/print_test.sh";
    }
    TestEnvironment().Reset();
    Catalog catalog;
    for (const PrintedNote& note : PrintedNotes()) {
        catalog.Add(note.Rtf, 45000.5);
        std::printf("note words|%s\n", note.Words.c_str());
    }
    TQReport1 report(catalog.list);
    report.Prepare(TestEnvironment());
    ReportPreview preview(report);
    preview.PrintReport();
    EXPECT_EQ(report.RowIndex, int(catalog.list.Count()));
    const std::size_t pages = report.PageCount();
    preview.PrintReport();
    EXPECT_EQ(report.PageCount(), pages);
    EXPECT_EQ(preview.Prints(), 2);
    EXPECT_EQ(TestEnvironment().printDialogs, 2);
    std::printf("pages|%zu\n", pages);

    TestEnvironment().printer = "ZandrelLetter";
    TestEnvironment().printCopies = 2;
    const PrinterSettings settings({"ZandrelLetter", 2, {}});
    ASSERT_NE(settings.Mode(), nullptr);
    EXPECT_EQ(settings.Mode()->dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(settings.Mode()->dmCopies, 2);
    preview.PrintReport();
    EXPECT_EQ(report.PageCount(), pages);
}

// The preview's page and the printer's page of one catalog: the same texts
// at the same places.
TEST(CatalogPrintTest, ThePreviewAndThePrinterShowTheSameLines) {
    if (!std::getenv("ZANDREL_PRINT_TEST")) {
        GTEST_SKIP() << "run by scripts/print_test.sh";
    }
    TestEnvironment().Reset();
    Catalog catalog;
    for (const PrintedNote& note : PrintedNotes()) {
        catalog.Add(note.Rtf, 45000.5);
    }
    char name[256] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(GetDefaultPrinterA(name, &size));
    const PrinterDc printer(name);
    TQReport1 report(catalog.list);
    report.Prepare(TestEnvironment());
    report.ProduceAll();
    ASSERT_GE(report.PageCount(), 2u);
    for (std::size_t page = 0; page < report.PageCount(); ++page) {
        const auto shown = TextsOfMetafile(report.PageMetafile(page).get());
        const auto printed = TextsOfMetafile(report.PageMetafile(page, printer.Get()).get());
        ASSERT_EQ(shown.size(), printed.size()) << "page " << page;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].Text, printed[i].Text);
            EXPECT_NEAR(shown[i].X, printed[i].X, 0.3) << shown[i].Text;
            EXPECT_NEAR(shown[i].Y, printed[i].Y, 0.3) << shown[i].Text;
        }
    }
}

} // namespace
} // namespace zandrel::testing
