#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Tavrin::Edit {

// One change the editor made to a text file.
struct FileEdit {
    std::string path;
    std::string before;
    std::string after;
    // Keep each replaced version beside the file (path.~N~), as the track text does.
    bool numberedBackups = false;
};

// The editor's changes to files, undone and redone in order. A change is only ever written over
// the text it expects: when the file was changed since by anything else, nothing is written and
// the history stays as it was, so a hand edit is never lost.
class EditHistory {
public:
    static constexpr size_t Depth = 100;

    // Writes edit.after where the file holds edit.before and keeps the change for undo; the
    // changes undone before it can no longer be redone. Throws Exception naming the file when it
    // does not hold edit.before or cannot be written.
    void apply(FileEdit edit);
    // Each returns the file it wrote, or nothing when there is nothing to take back or do again,
    // and throws as apply does.
    std::optional<std::string> undo();
    std::optional<std::string> redo();

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }

private:
    std::vector<FileEdit> done_, undone_;
};

}
