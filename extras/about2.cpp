#include "extras/about2.h"

#include "framework/controls/pictures.h"
#include "resources/form_about.h"

#include <richedit.h>

namespace zandrel {

// The picture controls are known before the form builds its button.
TFormAbout2::TFormAbout2() : Form((RegisterPictureControls(), FormAbout2Description())) {
    Bind(form_about2::on::FormCreate, WhileModal::Runs, &TFormAbout2::FormCreate);
    Bind(form_about2::on::BitBtn1Click, WhileModal::Runs, &TFormAbout2::BitBtn1Click);
    Create(false);
}

void TFormAbout2::FormCreate(Event&) {
    SendMessageA(Find(form_about2::RichEdit1).Handle(), EM_SETREADONLY, TRUE, 0);
}

void TFormAbout2::ShowLines(const std::vector<std::string>& lines) {
    Control& text = Find(form_about2::RichEdit1);
    text.SetText("");
    text.SetEnabled(false);
    std::string all;
    for (const std::string& line : lines) {
        all += (&line == &lines.front() ? "" : "\r\n") + line;
    }
    text.SetText(all);
    text.SetEnabled(true);
}

void TFormAbout2::BitBtn1Click(Event&) {
    Close();
}

} // namespace zandrel
