#include "alarms/core/mail_notification.h"

namespace zandrel {

std::vector<std::string> TextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::optional<NotificationMail> NotificationFor(const std::vector<std::string>& lines,
                                                const std::vector<std::string>& addresses) {
    if (lines.empty()) {
        return std::nullopt;
    }
    NotificationMail mail;
    mail.Recipients = addresses;
    mail.Subject = (NotificationSubjectPrefix + lines.front()).substr(0, MaxSubjectLength);
    for (const std::string& line : lines) {
        mail.Body += line;
        mail.Body += "\r\n";
    }
    return mail;
}

} // namespace zandrel
