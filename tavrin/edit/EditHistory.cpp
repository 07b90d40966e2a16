#include "tavrin/edit/EditHistory.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "tavrin/edit/NumberedBackup.h"

#include <filesystem>

namespace Tavrin::Edit {

namespace {

// Replaces expected by replacement in the file at path, unless it holds something else.
void replaceText(const FileEdit& edit, const std::string& expected, const std::string& replacement)
{
    std::string now;
    try {
        now = Orvane::Utils::readTextFile(edit.path);
    } catch (const Orvane::Exceptions::Exception& e) {
        throw Orvane::Exceptions::Exception("Cannot read " + edit.path + ": " + e.getMessage());
    }
    if (now != expected)
        throw Orvane::Exceptions::Exception(edit.path + " was changed since; it stays as it is");
    if (edit.numberedBackups)
        saveWithNumberedBackup(edit.path, replacement);
    else
        saveReplacing(edit.path, replacement);
}

}

void EditHistory::apply(FileEdit edit)
{
    replaceText(edit, edit.before, edit.after);
    done_.push_back(std::move(edit));
    if (done_.size() > Depth)
        done_.erase(done_.begin());
    undone_.clear();
}

std::optional<std::string> EditHistory::undo()
{
    if (done_.empty())
        return std::nullopt;
    replaceText(done_.back(), done_.back().after, done_.back().before);
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return undone_.back().path;
}

std::optional<std::string> EditHistory::redo()
{
    if (undone_.empty())
        return std::nullopt;
    replaceText(undone_.back(), undone_.back().before, undone_.back().after);
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return done_.back().path;
}

}
