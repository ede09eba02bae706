#pragma once

#include <QFont>

// The program's face, "宋体", where it is installed; else a CJK face that is (the scripts install
// fonts-wqy-zenhei), so that the Chinese captions never fall back to boxes.
QFont ProgramFont(int pixels, bool bold = false);
