#pragma once
// TFormAbout2: the whole About text in a window of its own, to read at
// leisure.
#include "framework/form.h"

#include <string>
#include <vector>

namespace zandrel {

class TFormAbout2 : public Form {
public:
    TFormAbout2();

    // RichEdit1 holds exactly these lines.
    void ShowLines(const std::vector<std::string>& lines);

    void FormCreate(Event& event);
    void BitBtn1Click(Event& event);
};

} // namespace zandrel
