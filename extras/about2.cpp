#include "extras/about2.h"

#include "framework/controls/pictures.h"
#include "resources/form_about.h"

#include <richedit.h>

namespace zandrel {

// The picture controls are known before the form builds its button.
TFormAbout2::TFormAbout2() : Form((RegisterPictureControls(), FormAbout2Description())) {
    Bind("FormCreate", &TFormAbout2::FormCreate);
    Bind("BitBtn1Click", &TFormAbout2::BitBtn1Click);
    Create(false);
}

void TFormAbout2::FormCreate(Event&) {
    SendMessageA(Find("RichEdit1").Handle(), EM_SETREADONLY, TRUE, 0);
}

void TFormAbout2::ShowLines(const std::vector<std::string>& lines) {
    Control& text = Find("RichEdit1");
    text.SetText("");
    text.SetEnabled(false);
    std::string all;
    for (const std::string& line : lines) {
        all += line + "\r\n";
    }
    text.SetText(all);
    text.SetEnabled(true);
}

void TFormAbout2::BitBtn1Click(Event&) {
    Close();
}

} // namespace zandrel
