// The functions the program's module exports for host programs that show the
// tool inside a layout of their own, and the one macro that exports them.
//
// Everything goes through VREL_EXPORT: C names without C++ decoration; on
// 32-bit Windows the standard-call convention, which decorates the exported
// names as _APT_VREL_OpenDialog@24, _APT_VREL_ChangeSize@4 and
// _APT_VREL_CallBack@4. A host that loads the module at run time resolves the
// names and calls them through the pointer types below.
#pragma once

#include <Vrel.h>

class QGridLayout;
class QWidget;

#if defined(_WIN32) && (defined(_M_IX86) || defined(__i386__))
#  define VREL_EXPORT_CALL __stdcall
#else
#  define VREL_EXPORT_CALL
#endif

#if defined(_WIN32)
#  if defined(VREL_EXPORT_BUILDING)
#    define VREL_EXPORT_LINKAGE __declspec(dllexport)
#  else
#    define VREL_EXPORT_LINKAGE __declspec(dllimport)
#  endif
#else
#  define VREL_EXPORT_LINKAGE __attribute__((visibility("default")))
#endif

#define VREL_EXPORT(type) extern "C" VREL_EXPORT_LINKAGE type VREL_EXPORT_CALL

// Creates the tool's main window on the first call and puts it into layout
// (row 0, column 0) as a child widget, then shows it. Later calls place the
// same window into the layout given then. Only the low byte of showTitle
// counts: zero hides the title bar. a, b and c are accepted and ignored.
// False when no window can be made (no application object, not on its
// thread). Call on the host's GUI thread.
VREL_EXPORT(bool) APT_VREL_OpenDialog(QWidget *parent, QGridLayout *layout, unsigned int showTitle,
                                      int a, int b, int c);

// Full look when the low byte of full is non-zero, else the compact look.
// Does nothing before a window was opened or after the host destroyed it.
VREL_EXPORT(void) APT_VREL_ChangeSize(unsigned int full);

// Hands the tool a device record as if the discovery library had reported it.
// The record is copied during the call. Any thread may call it; records from
// one thread reach the device table in the order given. Does nothing for a
// null record, before a window was opened or after the host destroyed it.
VREL_EXPORT(void) APT_VREL_CallBack(const VREL_CALLBACK_RECORD *record);

// Pointer types for QLibrary::resolve().
typedef bool(VREL_EXPORT_CALL *APT_VREL_OpenDialogFn)(QWidget *, QGridLayout *, unsigned int, int, int, int);
typedef void(VREL_EXPORT_CALL *APT_VREL_ChangeSizeFn)(unsigned int);
typedef void(VREL_EXPORT_CALL *APT_VREL_CallBackFn)(const VREL_CALLBACK_RECORD *);
