#pragma once

#include <string>

namespace Tavrin::Edit {

// Replaces the file at path with text, after keeping what was there as path.~N~, N one more than
// the highest such copy (as "cp --backup=numbered" names them), so that no saved version is ever
// lost. The new text goes through a temporary file renamed over the old one, so a watcher never
// reads half of it. Throws Exception naming the file when it cannot be written.
void saveWithNumberedBackup(const std::string& path, const std::string& text);

// Replaces the file at path with text through a temporary file renamed over it, without a backup.
// Throws as saveWithNumberedBackup does.
void saveReplacing(const std::string& path, const std::string& text);

}
