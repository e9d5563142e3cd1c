// The alarm's media files as the media and picture layers can open them.
#pragma once

#include <QString>
#include <string>

namespace dawn {

// A media path of the settings (bytes, in the system's file-name encoding) as
// a QString that opens that very file. A UTF-8 path is itself. A path that
// is not UTF-8 (a folder named in another encoding) cannot be spelt in a
// QString; it is reached through a symbolic link of this run, with the same
// ending so that its format is known, in a private folder of the temporary
// folder that goes when the program ends. Never fails: without that folder
// the path is given as it decodes, and opening it then reports it missing.
QString MediaFileForQt(const std::string& path);

}  // namespace dawn
