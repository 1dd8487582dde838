#pragma once
// The toolkit message vocabulary and the message record that carries events.

#include <array>
#include <cstdint>
#include <string_view>

namespace hq {

/// The messages the program sends or recognises. Numbering starts at 1 and
/// stays below 3333, so no message equals one of the two private requests.
enum class Msg : int32_t {
    Callback = 1,
    Change,
    CloseWindow,
    Create,
    CreateWindow,
    Disable,
    DisplayWindow,
    Enable,
    HideWindow,
    Initialize,
    OneLess,
    OneMore,
    Redraw,
    Redrawn,
    Selection,
    SetAlign,
    SetBorder,
    SetCallback,
    SetColor,
    SetFont,
    SetGridName,
    SetGridProperties,
    SetHintString,
    SetImage,
    SetImageCoords,
    SetPosition,
    SetStyle,
    SetTextArray,
    SetTextString,
    SetTexture,
    SetValue,
    ShowWindow,
    Update,
    WindowCreate,
    WindowRegister,
    LastMessage,
};

/// Private requests passed straight to the main window callback, never
/// through the toolkit.
inline constexpr int32_t kStartUpMessage = 3333;
inline constexpr int32_t kPlayChordMessage = 0;

struct MessageName {
    Msg message;
    std::string_view name;
};

inline constexpr std::array<MessageName, 36> kMessageNames{{
    {Msg::Callback, "Callback"},           {Msg::Change, "Change"},
    {Msg::CloseWindow, "CloseWindow"},     {Msg::Create, "Create"},
    {Msg::CreateWindow, "CreateWindow"},   {Msg::Disable, "Disable"},
    {Msg::DisplayWindow, "DisplayWindow"}, {Msg::Enable, "Enable"},
    {Msg::HideWindow, "HideWindow"},       {Msg::Initialize, "Initialize"},
    {Msg::OneLess, "OneLess"},             {Msg::OneMore, "OneMore"},
    {Msg::Redraw, "Redraw"},               {Msg::Redrawn, "Redrawn"},
    {Msg::Selection, "Selection"},         {Msg::SetAlign, "SetAlign"},
    {Msg::SetBorder, "SetBorder"},         {Msg::SetCallback, "SetCallback"},
    {Msg::SetColor, "SetColor"},           {Msg::SetFont, "SetFont"},
    {Msg::SetGridName, "SetGridName"},     {Msg::SetGridProperties, "SetGridProperties"},
    {Msg::SetHintString, "SetHintString"}, {Msg::SetImage, "SetImage"},
    {Msg::SetImageCoords, "SetImageCoords"}, {Msg::SetPosition, "SetPosition"},
    {Msg::SetStyle, "SetStyle"},           {Msg::SetTextArray, "SetTextArray"},
    {Msg::SetTextString, "SetTextString"}, {Msg::SetTexture, "SetTexture"},
    {Msg::SetValue, "SetValue"},           {Msg::ShowWindow, "ShowWindow"},
    {Msg::Update, "Update"},               {Msg::WindowCreate, "WindowCreate"},
    {Msg::WindowRegister, "WindowRegister"}, {Msg::LastMessage, "LastMessage"},
}};

constexpr bool MessagesAvoidPrivateRequests() {
    for (const MessageName& entry : kMessageNames) {
        const auto n = static_cast<int32_t>(entry.message);
        if (n == kStartUpMessage || n == kPlayChordMessage) return false;
    }
    return true;
}
static_assert(MessagesAvoidPrivateRequests());

/// The number of a message name, or 0 when the name is not in the vocabulary.
constexpr int32_t MessageNumber(std::string_view name) {
    for (const MessageName& entry : kMessageNames) {
        if (entry.name == name) return static_cast<int32_t>(entry.message);
    }
    return 0;
}

constexpr int32_t ToNumber(Msg message) { return static_cast<int32_t>(message); }

/// One event or request for a window: every argument is a 32-bit integer.
/// `kid` names the control meant (0 or -1: the window itself); `extra` carries
/// a grid or, for Callback, the wrapped message number.
struct ToolkitMessage {
    int32_t grid = 0;
    int32_t message = 0;
    int32_t value1 = 0;
    int32_t value2 = 0;
    int32_t value3 = 0;
    int32_t value4 = 0;
    int32_t kid = 0;
    int32_t extra = 0;
};

}  // namespace hq
