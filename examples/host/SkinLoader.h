// The look of the embedded tool is the host's business: the module loads no
// skin when it is embedded. This host offers the tool's default skin, which
// brings the images the tool's style sheets name.
#pragma once

#include <QString>

// Loads the skin plug-in offering skinName from the folder; true when applied.
bool LoadToolSkin(const QString &directory, const QString &skinName);
