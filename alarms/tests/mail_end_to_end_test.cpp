// The notification end to end: the running main window sends it through the
// system's own mail service, which hands it to the desktop's mail program as
// a mailto: URL. The mail program here is the stand-in xdg-email that the
// test run puts first on the PATH; it writes down what it was given. Run it
// through ctest, which sets both before Wine starts.
#include "alarms/smapi.h"
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace zandrel::testing {
namespace {

namespace fs = std::filesystem;
constexpr TDateTime kSecond = 1.0 / 86400;

// Where the stand-in mail program writes: the Unix path in ZANDREL_MAIL_LOG,
// which the test run sets before Wine starts, as a path of the Wine prefix.
fs::path MailLog() {
    const char* unixPath = std::getenv("ZANDREL_MAIL_LOG");
    using ToDos = WCHAR*(CDECL*)(LPCSTR);
    const FARPROC found =
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name");
    const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void (*)()>(found));
    if (!unixPath || !toDos) {
        return {};
    }
    WCHAR* dosPath = toDos(unixPath);
    fs::path result = dosPath ? fs::path(dosPath) : fs::path();
    HeapFree(GetProcessHeap(), 0, dosPath);
    return result;
}

std::string PercentDecoded(const std::string& text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            decoded += char(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// A mailto: URL taken apart: its addresses and its decoded header fields.
struct MailtoUrl {
    std::string To;
    std::map<std::string, std::string> Fields;
};

MailtoUrl Parse(const std::string& url) {
    MailtoUrl mail;
    const std::string rest = url.substr(std::string("mailto:").size());
    const std::size_t query = rest.find('?');
    mail.To = PercentDecoded(rest.substr(0, query));
    if (query == std::string::npos) {
        return mail;
    }
    std::size_t start = query + 1;
    while (start <= rest.size()) {
        const std::size_t end = std::min(rest.find('&', start), rest.size());
        const std::string field = rest.substr(start, end - start);
        const std::size_t equals = field.find('=');
        mail.Fields[field.substr(0, equals)] =
            equals == std::string::npos ? "" : PercentDecoded(field.substr(equals + 1));
        start = end + 1;
    }
    return mail;
}

// The system's own mail service.
struct SystemMailService {
    const MapiLibrary mapi = LoadMAPI();
};

class MailEndToEndTest : public MainWindowFixture {
protected:
    MailEndToEndTest() {
        std::error_code ignored;
        fs::remove(mailLog_, ignored);
    }
    ~MailEndToEndTest() override {
        form_.reset();
        std::error_code ignored;
        fs::remove(mailLog_, ignored);
    }

    // The arguments the mail program was started with, one a line.
    std::vector<std::string> MailProgramArguments() const {
        if (!PumpUntil([&] { return fs::exists(mailLog_); }, std::chrono::seconds(30))) {
            return {};
        }
        std::ifstream in(mailLog_);
        std::vector<std::string> arguments;
        for (std::string line; std::getline(in, line);) {
            arguments.push_back(line);
        }
        return arguments;
    }

    const MapiLibrary& mapi_ = UseMailService<SystemMailService>().mapi;
    const fs::path mailLog_ = MailLog();
};

TEST_F(MailEndToEndTest, TheMailProgramGetsTheAddressTheSubjectAndTheBody) {
    ASSERT_TRUE(mapi_.Available()) << "the system's own mail service";
    ASSERT_FALSE(mailLog_.empty()) << "run by ctest, which sets ZANDREL_MAIL_LOG and the PATH";
    FakeEnvironment& env = TestEnvironment();
    {
        MessageList list(dataFile_);
        EditorValues values;
        values.StartDate = env.now - 10 * kSecond;
        values.AlarmDate = env.now + 1;
        values.RichText = "{\\rtf1 Dentist at 3\\par bring the card}";
        values.Notify = true;
        values.Addresses = {"someone@example.org"};
        list.Add(env, values);
    }
    Start(Shown::NotYet);

    const std::vector<std::string> arguments = MailProgramArguments();
    ASSERT_EQ(arguments.size(), 1u);
    ASSERT_EQ(arguments[0].rfind("mailto:", 0), 0u) << arguments[0];
    const MailtoUrl mail = Parse(arguments[0]);
    EXPECT_EQ(mail.To, "someone@example.org");
    EXPECT_EQ(mail.Fields.at("subject"), "Zandrel message: Dentist at 3");
    EXPECT_EQ(mail.Fields.at("body"), "Dentist at 3\r\nbring the card\r\n");
    EXPECT_TRUE(env.boxes.empty());
    MessageList stored(dataFile_);
    stored.LoadMessages(env);
    EXPECT_EQ(stored.Entry(0).Notify, 0);
}

} // namespace
} // namespace zandrel::testing
