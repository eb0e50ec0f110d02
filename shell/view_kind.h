// The four editing views, in the order in which the main frame visits them when it
// collects edits and reloads (channels, optional features, key settings, scan).
#pragma once

#include <array>

namespace radio {

enum class ViewKind { Channels, Features, Keys, Scan };
constexpr int kViewKindCount = 4;

constexpr std::array<ViewKind, kViewKindCount> kAllViewKinds = {
    ViewKind::Channels, ViewKind::Features, ViewKind::Keys, ViewKind::Scan};

// Text number of the view's name: menu item, tree item and child window caption.
constexpr int ViewNameText(ViewKind kind)
{
    switch (kind) {
    case ViewKind::Channels: return 11;
    case ViewKind::Features: return 12;
    case ViewKind::Keys: return 13;
    case ViewKind::Scan: return 14;
    }
    return 11;
}

}  // namespace radio
