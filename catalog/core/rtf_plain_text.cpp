#include "catalog/core/rtf_plain_text.h"

#include "framework/text/core/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
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

// Control words that stand for one character.
struct CharacterWord {
    std::string_view Word;
    char32_t Character;
};
constexpr std::array<CharacterWord, 17> kCharacterWords = {{{"par", U'\n'},
                                                            {"line", U'\n'},
                                                            {"sect", U'\n'},
                                                            {"page", U'\n'},
                                                            {"row", U'\n'},
                                                            {"tab", U'\t'},
                                                            {"cell", U'\t'},
                                                            {"emdash", U'\u2014'},
                                                            {"endash", U'\u2013'},
                                                            {"emspace", U'\u2003'},
                                                            {"enspace", U'\u2002'},
                                                            {"qmspace", U'\u2005'},
                                                            {"bullet", U'\u2022'},
                                                            {"lquote", U'\u2018'},
                                                            {"rquote", U'\u2019'},
                                                            {"ldblquote", U'\u201C'},
                                                            {"rdblquote", U'\u201D'}}};

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

// The code page of a document's character set word (\ansi, \mac, \pc,
// \pca); 0 for any other word.
int DocumentCharsetCodePage(std::string_view word) {
    if (word == "ansi")
        return kWesternCodePage;
    if (word == "mac")
        return 10000;
    if (word == "pc")
        return 437;
    if (word == "pca")
        return 850;
    return 0;
}

class Converter {
public:
    explicit Converter(std::string_view rtf) : in_(rtf) {}

    std::string Run() {
        Read();
        return std::move(out_);
    }

    EmbeddedItems Embedded() {
        Read();
        return embedded_;
    }

private:
    void Read() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                Flush();
                Group inner = groups_.back();
                inner.AtStart = true;
                inner.Ignorable = false;
                groups_.push_back(inner);
                skipFallback_ = 0;
            } else if (c == '}') {
                Flush();
                // A stray closing brace before the document's group is ignored;
                // the document ends with its group.
                skipFallback_ = 0;
                if (groups_.size() > 1) {
                    groups_.pop_back();
                    if (groups_.size() == 1)
                        break;
                }
            } else if (c == '\\') {
                ControlSequence();
            } else if (c != '\r' && c != '\n') {
                groups_.back().AtStart = false;
                EmitByte(c);
            }
        }
        Flush();
        EmitLoneSurrogate();
    }

    struct Group {
        bool Hidden = false;
        bool AtStart = false;   // nothing but "\*" read in this group yet
        bool Ignorable = false; // "\*" seen at its start
        bool FontTable = false;
        int Font = -1;              // -1: the document's default font
        int FallbackLength = 1;     // \ucN: characters after \uN for readers without Unicode
        bool InObject = false;      // inside an embedded object, its pictures included
        bool InAlternative = false; // inside \nonshppict: a second copy of a picture
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
        if (atStart)
            CountEmbedded(group, word);
        if (atStart && word == "fonttbl") {
            group.Hidden = true;
            group.FontTable = true;
            return;
        }
        if (atStart && (group.Ignorable || IsHiddenDestination(word))) {
            group.Hidden = true;
            return;
        }
        ControlWord(word, hasParameter, static_cast<int>(parameter));
    }

    void CountEmbedded(Group& group, std::string_view destination) {
        if (destination == "object" && !group.InObject) {
            ++embedded_.Objects;
            group.InObject = true;
        } else if (destination == "pict" && !group.InObject && !group.InAlternative) {
            ++embedded_.Pictures;
        } else if (destination == "nonshppict") {
            group.InAlternative = true;
        }
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
            EmitByte(static_cast<char>(high * 16 + low));
            return;
        }
        case '~':
            EmitCharacter(0xA0);
            return;
        case '_':
            EmitCharacter('-');
            return;
        case '\r':
        case '\n':
            EmitCharacter('\n');
            return;
        case '-': // optional hyphen: shown only at a line break
            Skipped();
            return;
        default: // "\\", "\{", "\}" and symbols without meaning here
            EmitByte(c);
        }
    }

    void ControlWord(std::string_view word, bool hasParameter, int parameter) {
        Group& group = groups_.back();
        if (word == "bin") {
            // Binary data: its length is the parameter, whatever bytes follow.
            const auto length = static_cast<std::size_t>(std::max(parameter, 0));
            pos_ += std::min(length, in_.size() - pos_);
            return;
        }
        if (!hasParameter) {
            for (const CharacterWord& w : kCharacterWords) {
                if (w.Word == word) {
                    EmitCharacter(w.Character);
                    return;
                }
            }
            if (word == "plain")
                group.Font = -1;
            else if (const int codePage = DocumentCharsetCodePage(word))
                documentCodePage_ = codePage;
            Skipped();
            return;
        }
        if (word == "u")
            Unicode(parameter);
        else if (word == "uc")
            group.FallbackLength = std::clamp(parameter, 0, 16);
        else if (word == "f" && group.FontTable)
            fontBeingDefined_ = parameter;
        else if (word == "fcharset" && group.FontTable)
            fontCodePages_[fontBeingDefined_] = CodePageOfCharset(parameter);
        else if (word == "cpg" && group.FontTable)
            fontCodePages_[fontBeingDefined_] = parameter;
        else if (word == "f")
            group.Font = parameter;
        else if (word == "deff")
            defaultFont_ = parameter;
        else if (word == "ansicpg" && parameter > 0)
            documentCodePage_ = parameter;
        else
            Skipped();
    }

    // \uN: a UTF-16 code unit, negative N standing for those above 32767.
    // Readers that know it skip its fallback; an N beyond 16 bits is not
    // understood, so its fallback stands.
    void Unicode(int parameter) {
        const int unit = parameter < 0 ? parameter + 65536 : parameter;
        if (unit < 0 || unit > 0xFFFF)
            return;
        EmitCharacter(static_cast<char32_t>(unit));
        skipFallback_ = groups_.back().FallbackLength;
    }

    // A character that the fallback of a \uN may count.
    void Skipped() {
        if (skipFallback_ > 0)
            --skipFallback_;
    }

    bool Swallowed() {
        if (skipFallback_ > 0) {
            --skipFallback_;
            return true;
        }
        return groups_.back().Hidden;
    }

    int CurrentCodePage() const {
        const int font = groups_.back().Font < 0 ? defaultFont_ : groups_.back().Font;
        const auto found = fontCodePages_.find(font);
        return found != fontCodePages_.end() && found->second > 0 ? found->second
                                                                  : documentCodePage_;
    }

    // A byte of text in the current font's code page. Bytes are converted in
    // runs, so that the two bytes of an East Asian character meet.
    void EmitByte(char c) {
        if (Swallowed())
            return;
        EmitLoneSurrogate();
        if (pending_.empty() && static_cast<unsigned char>(c) < 0x80) {
            out_ += c;
            return;
        }
        const int codePage = CurrentCodePage();
        if (!pending_.empty() && codePage != pendingCodePage_)
            Flush();
        pendingCodePage_ = codePage;
        pending_ += c;
    }

    void EmitCharacter(char32_t character) {
        if (Swallowed())
            return;
        Flush();
        if (IsLowSurrogate(character) && highSurrogate_ != 0) {
            character = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (character - 0xDC00);
            highSurrogate_ = 0;
        }
        EmitLoneSurrogate();
        if (IsHighSurrogate(character))
            highSurrogate_ = character;
        else
            AppendUtf8(out_, character);
    }

    // A high surrogate not followed by its low one stands for no character.
    void EmitLoneSurrogate() {
        if (highSurrogate_ != 0) {
            AppendUtf8(out_, 0xFFFD);
            highSurrogate_ = 0;
        }
    }

    void Flush() {
        if (!pending_.empty()) {
            AppendCodePageText(out_, pendingCodePage_, pending_);
            pending_.clear();
        }
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<Group> groups_{Group{}};
    int skipFallback_ = 0;
    int documentCodePage_ = kWesternCodePage;
    int defaultFont_ = 0;
    int fontBeingDefined_ = 0;
    std::unordered_map<int, int> fontCodePages_; // font number -> code page (0: the document's)
    std::string pending_;
    int pendingCodePage_ = kWesternCodePage;
    char32_t highSurrogate_ = 0;
    std::string out_;
    EmbeddedItems embedded_;
};

} // namespace

bool IsRtf(std::string_view text) {
    return text.starts_with("{\\rtf");
}

std::string RtfToPlainText(std::string_view rtf) {
    return Converter(rtf).Run();
}

EmbeddedItems CountEmbeddedItems(std::string_view rtf) {
    return Converter(rtf).Embedded();
}

} // namespace zandrel
