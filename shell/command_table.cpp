#include "shell/command_table.h"

#include <type_traits>

#include "data/language_table.h"
#include "shell/channel_plan_commands.h"
#include "shell/edit_commands.h"
#include "shell/file_commands.h"
#include "shell/help_commands.h"
#include "shell/model_commands.h"
#include "shell/settings_commands.h"
#include "shell/transfer_commands.h"
#include "shell/view_commands.h"

namespace radio {

namespace {

// The controller class of a slot, and whether the slot takes a check item's state.
template <typename Slot>
struct SlotTraits;
template <typename R, typename C>
struct SlotTraits<R (C::*)()> {
    using Owner = C;
    static constexpr bool kTakesChecked = false;
};
template <typename R, typename C>
struct SlotTraits<R (C::*)(bool)> {
    using Owner = C;
    static constexpr bool kTakesChecked = true;
};

template <auto slot>
void RunSlot(const Controllers& controllers, bool checked)
{
    using Traits = SlotTraits<decltype(slot)>;
    auto* owner = std::get<typename Traits::Owner*>(controllers);
    if constexpr (Traits::kTakesChecked) {
        (owner->*slot)(checked);
    } else {
        (void)checked;
        (owner->*slot)();
    }
}

template <typename... K>
QList<QKeySequence> Keys(K... keys)
{
    return {QKeySequence(keys)...};
}

std::vector<CommandRow> BuildTable()
{
    using namespace command;
    using M = MenuId;
    std::vector<CommandRow> rows;
#define COMMAND(name, number, caption, menu, keys, icon, flags, slot)                            \
    rows.push_back(CommandRow{FrameCommand::name, caption, M::menu, keys, icon, unsigned(flags), \
                              &RunSlot<slot>});
#include "shell/frame_commands.inc"
#undef COMMAND
    return rows;
}

}  // namespace

const std::vector<CommandRow>& CommandTable()
{
    static const std::vector<CommandRow> table = BuildTable();
    return table;
}

const CommandRow& CommandRowOf(FrameCommand command)
{
    for (const CommandRow& row : CommandTable()) {
        if (row.command == command) {
            return row;
        }
    }
    // Unreachable: the enum is made from the same lines as the table.
    return CommandTable().front();
}

}  // namespace radio
