// The discovery library's device callback and the panel it reports to.
#pragma once

#include <Vrel.h>

class QtVrel;

// Runs on a thread of the library (or of a host program that feeds records
// itself). Checks the record, copies it and hands it to the registered panel.
void VREL_CALL DiscoveryCallback(const VREL_CALLBACK_RECORD *record, void *user);

// False when none of the record's eight checked texts ends within 64 bytes.
bool RecordPassesCheck(const VREL_CALLBACK_RECORD *record);

// The one panel the callback reaches. Unregistering waits for callbacks that
// are using the panel, so none touches it once its destructor goes on.
void RegisterDevicePanel(QtVrel *panel);
void UnregisterDevicePanel(QtVrel *panel);

// The registered panel, or null. Set by the panel itself on construction.
extern QtVrel *g_pDevicePanel;
