// The enable-state model: which command buttons a named state switches on or
// off. Each state's lists are written once, here; the window applies them.
#pragma once

#include "seams/Commands.h"

#include <QList>
#include <array>

// The ten command buttons in the order the window switches them.
inline constexpr std::array<CommandId, 10> CommandOrder = {
    IdTransferFromUnit, IdPrint, IdSend,  IdLoad,     IdConfigure, IdNew,
    IdTransferToUnit,   IdClose, IdSetup, IdSyncClock};

// The buttons enabled once `state` is applied to a window whose enabled
// buttons are `enabledBefore`; a state that names neither list for a button
// leaves it as it was. The result lists ids in CommandOrder.
QList<CommandId> enabledAfter(EnableState state, const QList<CommandId>& enabledBefore);
