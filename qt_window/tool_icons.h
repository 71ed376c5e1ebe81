// The pictures of the tool-bar buttons, drawn rather than loaded so they
// stay sharp at any screen scale.
#pragma once

#include <QIcon>
#include <QString>

namespace hyg {

// The picture for a tool-bar key ("open", "save", "print", "copy", "zoomin",
// "zoomout", "refresh", "pencil"); an empty icon for any other key.
QIcon ToolIcon(const QString& key);

} // namespace hyg
