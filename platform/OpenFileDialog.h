#pragma once

#include "platform/Prompts.h"

#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

// The open-file dialog, set up so that its name filter ignores letter case: the game's file may
// come as TPERSON.S10 or tperson.s10 from a Windows folder. Hidden folders are shown, since Wine
// prefixes mostly live below one; `places` gives the start folder and the sidebar.
std::unique_ptr<QFileDialog> MakeOpenFileDialog(QWidget* parent, const QString& filter,
                                                const OpenFilePlaces& places = {});
