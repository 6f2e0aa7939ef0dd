#include "catalog/rtf_plain_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zandrel {
namespace {

// Groups that hold no visible text of the document.
constexpr std::array<std::string_view, 27> kHiddenDestinations = {"fonttbl",
                                                                  "colortbl",
                                                                  "stylesheet",
                                                                  "info",
                                                                  "pict",
                                                                  "object",
                                                                  "header",
                                                                  "headerl",
                                                                  "headerr",
                                                                  "headerf",
                                                                  "footer",
                                                                  "footerl",
                                                                  "footerr",
                                                                  "footerf",
                                                                  "footnote",
                                                                  "fldinst",
                                                                  "listtable",
                                                                  "listoverridetable",
                                                                  "revtbl",
                                                                  "rsidtbl",
                                                                  "generator",
                                                                  "themedata",
                                                                  "colorschememapping",
                                                                  "latentstyles",
                                                                  "datastore",
                                                                  "xmlnstbl",
                                                                  "filetbl"};

bool IsHiddenDestination(std::string_view word) {
    return std::find(kHiddenDestinations.begin(), kHiddenDestinations.end(), word) !=
           kHiddenDestinations.end();
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Control words that stand for one character of Windows-1252.
struct CharacterWord {
    std::string_view Word;
    char Character;
};
constexpr std::array<CharacterWord, 14> kCharacterWords = {{{"par", '\n'},
                                                            {"line", '\n'},
                                                            {"sect", '\n'},
                                                            {"page", '\n'},
                                                            {"row", '\n'},
                                                            {"tab", '\t'},
                                                            {"cell", '\t'},
                                                            {"emdash", '\x97'},
                                                            {"endash", '\x96'},
                                                            {"bullet", '\x95'},
                                                            {"lquote", '\x91'},
                                                            {"rquote", '\x92'},
                                                            {"ldblquote", '\x93'},
                                                            {"rdblquote", '\x94'}}};

class Converter {
public:
    explicit Converter(std::string_view rtf) : in_(rtf) {}

    std::string Run() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                Group inner = groups_.back();
                inner.AtStart = true;
                inner.Ignorable = false;
                groups_.push_back(inner);
                skipFallback_ = 0;
            } else if (c == '}') {
                // A stray closing brace of the document group is ignored.
                if (groups_.size() > 1)
                    groups_.pop_back();
                skipFallback_ = 0;
            } else if (c == '\\') {
                ControlSequence();
            } else if (c != '\r' && c != '\n') {
                groups_.back().AtStart = false;
                Emit(c);
            }
        }
        return std::move(out_);
    }

private:
    struct Group {
        bool Hidden = false;
        bool AtStart = false;   // nothing but "\*" read in this group yet
        bool Ignorable = false; // "\*" seen at its start
        int FallbackLength = 1; // \ucN: characters after \uN for readers without Unicode
    };

    void ControlSequence() {
        if (pos_ >= in_.size())
            return;
        Group& group = groups_.back();
        const char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            if (c == '*') {
                group.Ignorable = true;
                return;
            }
            group.AtStart = false;
            ControlSymbol(c);
            return;
        }
        const std::size_t start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_]))
            ++pos_;
        const std::string_view word = in_.substr(start, pos_ - start);
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        bool hasParameter = false;
        std::int64_t parameter = 0;
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParameter = true;
            // Clamped: only the range of an Int32 means anything.
            parameter = std::min<std::int64_t>(parameter * 10 + (in_[pos_] - '0'), INT32_MAX);
            ++pos_;
        }
        if (negative)
            parameter = -parameter;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;

        const bool atStart = group.AtStart;
        group.AtStart = false;
        if (atStart && (group.Ignorable || IsHiddenDestination(word))) {
            group.Hidden = true;
            return;
        }
        ControlWord(word, hasParameter, parameter);
    }

    void ControlSymbol(char c) {
        switch (c) {
        case '\'': {
            const int high = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
            const int low = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
            if (high < 0 || low < 0) {
                pos_ = std::min(pos_ + (high < 0 ? 0 : 1), in_.size());
                return;
            }
            pos_ += 2;
            Emit(static_cast<char>(high * 16 + low));
            return;
        }
        case '~':
            Emit('\xA0');
            return;
        case '_':
            Emit('-');
            return;
        case '\r':
        case '\n':
            Emit('\n');
            return;
        case '-': // optional hyphen: shown only at a line break
            Skipped();
            return;
        default: // "\\", "\{", "\}" and symbols without meaning here
            Emit(c);
        }
    }

    void ControlWord(std::string_view word, bool hasParameter, std::int64_t parameter) {
        if (word == "bin") {
            // Binary data: its length is the parameter, whatever bytes follow.
            const auto length = static_cast<std::size_t>(std::max<std::int64_t>(parameter, 0));
            pos_ += std::min(length, in_.size() - pos_);
            return;
        }
        if (word == "uc" && hasParameter) {
            groups_.back().FallbackLength =
                static_cast<int>(std::clamp<std::int64_t>(parameter, 0, 16));
            return;
        }
        if (word == "u" && hasParameter) {
            Unicode(parameter);
            return;
        }
        for (const CharacterWord& w : kCharacterWords) {
            if (w.Word == word) {
                Emit(w.Character);
                return;
            }
        }
        Skipped();
    }

    // \uN: negative N are the code units above 32767. The characters that
    // Latin-1 and Windows-1252 share are kept and their fallback skipped;
    // for every other one the fallback stands in.
    void Unicode(std::int64_t parameter) {
        const std::int64_t unit = parameter < 0 ? parameter + 65536 : parameter;
        if ((unit >= 0x20 && unit < 0x7F) || (unit >= 0xA0 && unit <= 0xFF)) {
            Emit(static_cast<char>(unit));
            skipFallback_ = groups_.back().FallbackLength;
        }
    }

    // A character that the fallback of a \uN may count.
    void Skipped() {
        if (skipFallback_ > 0)
            --skipFallback_;
    }

    void Emit(char c) {
        if (skipFallback_ > 0) {
            --skipFallback_;
            return;
        }
        if (!groups_.back().Hidden)
            out_ += c;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<Group> groups_{Group{}};
    int skipFallback_ = 0;
    std::string out_;
};

} // namespace

bool IsRtf(std::string_view text) {
    return text.starts_with("{\\rtf");
}

std::string RtfToPlainText(std::string_view rtf) {
    return Converter(rtf).Run();
}

} // namespace zandrel
