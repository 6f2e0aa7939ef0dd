#pragma once
// Names of the resources in zandrel.rc, for LoadIconA, LoadCursorA,
// LoadBitmapA, LoadImageA and PlaySoundA. Plain strings, so no windows.h here.

namespace zandrel::res {

inline constexpr char kMainIcon[] = "MAINICON"; // 16, 24, 32, 48 and 64 pixels, 16 colours

inline constexpr char kCursorHand[] = "MANO"; // screen cursor 52
inline constexpr char kCursorWeb[] = "WWW";   // screen cursor 51
inline constexpr char kCursorMail[] = "MAIL"; // screen cursor 50

// Sticker pictures: pushpins 15 x 14, banners 220 x 15. Each is painted on
// its sticker's own colour (yellow 0xFFFF00, red 0xFF0000 as RGB).
inline constexpr char kBitmapPin[] = "PIN1";
inline constexpr char kBitmapPinRed[] = "PIN1_RED";
inline constexpr char kBitmapBanner[] = "MEMO2";
inline constexpr char kBitmapBannerRed[] = "MEMO_RED";

// The About window's pictures (270 x 120, 469 x 99, 249 x 91) and the glyphs
// of its buttons, two 16 x 16 states side by side: up, pressed.
inline constexpr char kBitmapAboutTitle[] = "ABOUT1";
inline constexpr char kBitmapAboutWeb[] = "ABOUT2";
inline constexpr char kBitmapAboutMail[] = "ABOUT3";
inline constexpr char kBitmapContinueGlyph[] = "CONTINUE";
inline constexpr char kBitmapCloseGlyph[] = "CLOSEBTN";

// The resource type of the sounds (PlaySoundA with SND_RESOURCE looks there).
inline constexpr char kSoundType[] = "WAVE";
inline constexpr char kSoundComplete[] = "Complete";
inline constexpr char kSoundDing[] = "Ding";
inline constexpr char kSoundLaser[] = "Laser";
inline constexpr char kSoundRevdn1[] = "Revdn1";
inline constexpr char kSoundRevdn2[] = "Revdn2";
inline constexpr char kSoundRevup2[] = "Revup2";
inline constexpr char kSoundThrow[] = "Throw";

// Toolbar image strips: square images side by side, magenta background as the
// transparent colour (for ImageList_LoadImageA's mask colour).
inline constexpr int kToolbarImageSize = 16;
inline constexpr unsigned kToolbarTransparentRgb = 0xFF00FF;

// Command toolbar strip; the images in strip order.
inline constexpr char kBitmapCommandBar[] = "CMDBAR";
enum CommandBarImage : int {
    kImagePrev,
    kImageNext,
    kImageNew,
    kImageAdd,
    kImageReplace,
    kImageDelete,
    kImageRefresh,
    kImagePrint,
    kImageHelp,
    kImageAbout,
    kImageMail, // the editor's new-mail-address button
    kCommandBarImageCount
};

// Formatting toolbar strip; the images in strip order.
inline constexpr char kBitmapFormatBar[] = "FMTBAR";
enum FormatBarImage : int {
    kImageCopy,
    kImagePaste,
    kImageColor,
    kImageBold,
    kImageItalic,
    kImageUnderline,
    kImageAlignLeft,
    kImageCenter,
    kImageAlignRight,
    kImageBullets,
    kFormatBarImageCount
};

} // namespace zandrel::res
