#include "alarms/core/mail_notification.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zandrel {
namespace {

using Lines = std::vector<std::string>;

TEST(TextLinesTest, OneLinePerParagraphWhateverTheBreak) {
    EXPECT_EQ(TextLines("first\r\nsecond\rthird\nfourth"),
              (Lines{"first", "second", "third", "fourth"}));
}

TEST(TextLinesTest, ABreakAtTheEndStartsNoFurtherLine) {
    EXPECT_EQ(TextLines(""), Lines{});
    EXPECT_EQ(TextLines("only\r\n"), Lines{"only"});
    EXPECT_EQ(TextLines("\r\n"), Lines{""});
    EXPECT_EQ(TextLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
}

TEST(NotificationForTest, NoLinesNoMail) {
    EXPECT_FALSE(NotificationFor({}, {"someone@example.org"}));
}

TEST(NotificationForTest, SubjectFromTheFirstLineBodyFromAllRecipientsFromTheAddresses) {
    const auto mail = NotificationFor({"Dentist at 3", "", "bring the card"},
                                      {"someone@example.org", "[other@example.org]"});
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->Subject, "Zandrel message: Dentist at 3");
    EXPECT_EQ(mail->Body, "Dentist at 3\r\n\r\nbring the card\r\n");
    EXPECT_EQ(mail->Recipients, (Lines{"someone@example.org", "[other@example.org]"}));
}

TEST(NotificationForTest, AnEmptyFirstLineAndNoAddressesStillMakeAMail) {
    const auto mail = NotificationFor({""}, {});
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->Subject, "Zandrel message: ");
    EXPECT_EQ(mail->Body, "\r\n");
    EXPECT_TRUE(mail->Recipients.empty());
}

// The prefix takes 17 of the 255 characters: a first line of 238 fits whole.
TEST(NotificationForTest, TheSubjectIsCutTo255CharactersInAll) {
    const std::string fits(238, 'x');
    EXPECT_EQ(NotificationFor({fits}, {})->Subject, "Zandrel message: " + fits);

    const std::string longer = std::string(238, 'y') + "cut off";
    const auto mail = NotificationFor({longer}, {});
    EXPECT_EQ(mail->Subject.size(), 255u);
    EXPECT_EQ(mail->Subject, "Zandrel message: " + std::string(238, 'y'));
    EXPECT_EQ(mail->Body, longer + "\r\n") << "the body keeps the whole line";
}

} // namespace
} // namespace zandrel
