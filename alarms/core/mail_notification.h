#pragma once
// The content of a message's notification mail, built from the plain lines
// of its text: subject, body and recipients.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

inline constexpr char NotificationSubjectPrefix[] = "Zandrel message: ";
// A subject holds at most this many characters, the prefix included.
inline constexpr std::size_t MaxSubjectLength = 255;

struct NotificationMail {
    std::vector<std::string> Recipients;
    std::string Subject;
    std::string Body; // every line followed by CR LF
};

// The lines of a plain text, one per paragraph: a line ends at CR LF, CR or
// LF, and a break at the very end starts no further line, so an empty text
// has none.
std::vector<std::string> TextLines(std::string_view text);

// The mail for a text with these lines, to these addresses; none when the
// text has no lines.
std::optional<NotificationMail> NotificationFor(const std::vector<std::string>& lines,
                                                const std::vector<std::string>& addresses);

} // namespace zandrel
