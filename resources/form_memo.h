#pragma once
// The design of a sticker window.
#include "framework/form_description.h"

namespace zandrel {

const FormDescription& FormMemoDescription();
// The sticker's right-click menu.
const MenuDescription& StickerMenuDescription();

// The names of a sticker's components and event handlers, each spelled once.
namespace form_memo {
inline constexpr char PopupMenu1[] = "PopupMenu1";
inline constexpr char Remind10Minutes[] = "Remind10Minutes";
inline constexpr char Remind1Hour[] = "Remind1Hour";
inline constexpr char RemindTomorrow[] = "RemindTomorrow";
inline constexpr char Done1[] = "Done1";
inline constexpr char N1[] = "N1";
inline constexpr char Edit1[] = "Edit1";
namespace on {
inline constexpr char Remind10MinutesClick[] = "Remind10MinutesClick";
inline constexpr char Remind1HourClick[] = "Remind1HourClick";
inline constexpr char RemindTomorrowClick[] = "RemindTomorrowClick";
inline constexpr char Done1Click[] = "Done1Click";
inline constexpr char Edit1Click[] = "Edit1Click";
inline constexpr char FormCreate[] = "FormCreate";
inline constexpr char FormClose[] = "FormClose";
inline constexpr char FormDblClick[] = "FormDblClick";
} // namespace on
} // namespace form_memo

} // namespace zandrel
