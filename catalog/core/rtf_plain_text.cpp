#include "catalog/core/rtf_plain_text.h"

#include "framework/text/core/rtf_lexer.h"

#include <algorithm>
#include <array>

namespace zandrel {
namespace {

// Words that end a line of the plain text.
constexpr std::array<std::string_view, 5> kLineEnds = {"par", "sect", "page", "row", "nestrow"};

class Converter final : public RtfClient {
public:
    explicit Converter(std::string_view rtf) : lexer_(rtf, *this) {}

    std::string Run() {
        lexer_.Run();
        return std::move(out_);
    }

    EmbeddedItems Embedded() {
        lexer_.Run();
        return embedded_;
    }

private:
    void Text(std::string_view utf8) override { out_ += utf8; }

    void Word(const RtfWord& word) override {
        if (!word.HasParameter &&
            std::find(kLineEnds.begin(), kLineEnds.end(), word.Name) != kLineEnds.end())
            out_ += '\n';
    }

    // An object's pictures are its own, and a picture's \nonshppict copy
    // is the same picture.
    void Destination(std::string_view word) override {
        if (word == "object" && objectDepth_ == 0) {
            ++embedded_.Objects;
            objectDepth_ = lexer_.Depth();
        } else if (word == "pict" && objectDepth_ == 0 && alternativeDepth_ == 0) {
            ++embedded_.Pictures;
        } else if (word == "nonshppict" && alternativeDepth_ == 0) {
            alternativeDepth_ = lexer_.Depth();
        }
    }

    void GroupEnd() override {
        if (objectDepth_ == lexer_.Depth())
            objectDepth_ = 0;
        if (alternativeDepth_ == lexer_.Depth())
            alternativeDepth_ = 0;
    }

    RtfLexer lexer_;
    std::string out_;
    EmbeddedItems embedded_;
    int objectDepth_ = 0;      // the depth of the object group read now; 0 outside objects
    int alternativeDepth_ = 0; // the same for \nonshppict
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
