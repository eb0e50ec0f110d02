// The four editing views, in the order in which the main frame visits them when it
// collects edits and reloads (channels, optional features, key settings, scan).
#pragma once

#include <array>

#include "data/language_table.h"

namespace radio {

enum class ViewKind { Channels, Features, Keys, Scan };
constexpr int kViewKindCount = 4;

constexpr std::array<ViewKind, kViewKindCount> kAllViewKinds = {
    ViewKind::Channels, ViewKind::Features, ViewKind::Keys, ViewKind::Scan};

// Text of the view's name: menu item, tree item and child window caption.
constexpr int ViewNameText(ViewKind kind)
{
    switch (kind) {
    case ViewKind::Channels: return text::ChannelsView;
    case ViewKind::Features: return text::FeaturesView;
    case ViewKind::Keys: return text::KeysView;
    case ViewKind::Scan: return text::ScanView;
    }
    return text::ChannelsView;
}

}  // namespace radio
