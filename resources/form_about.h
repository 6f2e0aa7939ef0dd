#pragma once
// The designs of the About window and of the window with the whole About
// text.
#include "framework/form_description.h"

namespace zandrel {

const FormDescription& FormAboutDescription();
const FormDescription& FormAbout2Description();

// The names of the About window's components and event handlers, each spelled once.
namespace form_about {
inline constexpr char Image1[] = "Image1";
inline constexpr char BtnContinue[] = "BtnContinue";
inline constexpr char Memo1[] = "Memo1";
inline constexpr char Panel1[] = "Panel1";
inline constexpr char Image2[] = "Image2";
inline constexpr char Panel2[] = "Panel2";
inline constexpr char Image3[] = "Image3";
namespace on {
inline constexpr char BtnContinueClick[] = "BtnContinueClick";
inline constexpr char Image2DblClick[] = "Image2DblClick";
inline constexpr char Image3DblClick[] = "Image3DblClick";
inline constexpr char FormCreate[] = "FormCreate";
inline constexpr char FormClose[] = "FormClose";
} // namespace on
} // namespace form_about

// The names of the About text window's components and event handlers, each spelled once.
namespace form_about2 {
inline constexpr char Panel3[] = "Panel3";
inline constexpr char BitBtn1[] = "BitBtn1";
inline constexpr char Panel1[] = "Panel1";
inline constexpr char RichEdit1[] = "RichEdit1";
namespace on {
inline constexpr char BitBtn1Click[] = "BitBtn1Click";
inline constexpr char FormCreate[] = "FormCreate";
} // namespace on
} // namespace form_about2

} // namespace zandrel
