// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/settingscolour.h"

namespace tallimo {

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup Active = QPalette::Active;
constexpr QPalette::ColorGroup Inactive = QPalette::Inactive;
constexpr QPalette::ColorGroup Disabled = QPalette::Disabled;

// The palette colour that plays the part of each system colour, by system colour index.
constexpr SystemRole SystemRoles[] = {
    {Active, QPalette::Button},             // scroll bar
    {Active, QPalette::Dark},               // desktop background
    {Active, QPalette::Highlight},          // active caption
    {Inactive, QPalette::Highlight},        // inactive caption
    {Active, QPalette::Window},             // menu
    {Active, QPalette::Base},               // window
    {Active, QPalette::Shadow},             // window frame
    {Active, QPalette::WindowText},         // menu text
    {Active, QPalette::Text},               // window text
    {Active, QPalette::HighlightedText},    // caption text
    {Active, QPalette::Window},             // active border
    {Inactive, QPalette::Window},           // inactive border
    {Active, QPalette::Mid},                // application workspace
    {Active, QPalette::Highlight},          // highlight
    {Active, QPalette::HighlightedText},    // highlighted text
    {Active, QPalette::Button},             // button face
    {Active, QPalette::Dark},               // button shadow
    {Disabled, QPalette::Text},             // grey text
    {Active, QPalette::ButtonText},         // button text
    {Inactive, QPalette::HighlightedText},  // inactive caption text
    {Active, QPalette::Light},              // button highlight
    {Active, QPalette::Shadow},             // 3D dark shadow
    {Active, QPalette::Midlight},           // 3D light
    {Active, QPalette::ToolTipText},        // tooltip text
    {Active, QPalette::ToolTipBase},        // tooltip background
    {Active, QPalette::NoRole},             // no system colour has this index
    {Active, QPalette::Link},               // hot-tracked item
    {Active, QPalette::Highlight},          // active caption gradient
    {Inactive, QPalette::Highlight},        // inactive caption gradient
    {Active, QPalette::Highlight},          // highlighted menu item
    {Active, QPalette::Window},             // menu bar
};

}  // namespace

std::optional<QColor> ShownColour(Colour colour, const QPalette &palette)
{
    const DisplayColour display = ToDisplayColour(colour);
    switch (display.kind) {
    case DisplayColour::Kind::Rgb:
        return QColor::fromRgb(display.rgb);
    case DisplayColour::Kind::System:
        if (display.systemIndex < static_cast<int>(std::size(SystemRoles))) {
            const SystemRole &system = SystemRoles[display.systemIndex];
            if (system.role != QPalette::NoRole)
                return palette.color(system.group, system.role);
        }
        return std::nullopt;
    case DisplayColour::Kind::None:
    case DisplayColour::Kind::Default:
        return std::nullopt;
    }
    return std::nullopt;
}

Colour SavedColour(const QColor &shown, const std::optional<KeptColour> &kept)
{
    if (kept && kept->shown == shown)
        return kept->colour;
    const QRgb rgb = shown.rgb();
    return static_cast<Colour>(qRed(rgb)) | static_cast<Colour>(qGreen(rgb)) << 8 |
           static_cast<Colour>(qBlue(rgb)) << 16;
}

}  // namespace tallimo
