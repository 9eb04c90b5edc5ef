#pragma once

class QWidget;

namespace quorl {

// What the main window calls: System Setup (F9) and, from the operation host on the
// interface thread, the Connected Devices question of the port choice. Both record
// their outcome in the port-choice state (link/port_choice.h).
void runSystemSetup(QWidget* parent);
void runConnectedDevices(QWidget* parent);

} // namespace quorl
