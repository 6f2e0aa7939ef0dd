#pragma once
// Where the notes go that could not be saved when the program ended: a
// folder of the user's own (%LOCALAPPDATA%\Zandrel\Unsaved), one folder per
// end named by its date and time, holding the pair, the data file it belongs
// to and the version of the files it was based on, so that the next start
// takes the notes in with the three-way merge.
#include "storage/core/clock.h"
#include "storage/core/message_list.h"
#include "storage/core/note_merge.h"

#include <memory>
#include <string>
#include <vector>

namespace zandrel {

// Writes the list into a new folder in `root` (made if missing) and returns
// that folder. Throws StorageError.
std::string WriteUnsavedCopy(const std::string& root, MessageList& list, const NoteBase& base,
                             TDateTime now);

struct UnsavedCopy {
    std::string Folder;
    std::unique_ptr<MessageList> Notes;
    NoteBase Base;
};

// The copies in `root` that belong to `dataFileName`, oldest first; a copy
// that cannot be read is left where it is.
std::vector<UnsavedCopy> UnsavedCopiesOf(const std::string& root, const std::string& dataFileName,
                                         const Clock& clock);

// Removes a copy once its notes are saved with the others.
void RemoveUnsavedCopy(const std::string& folder);

} // namespace zandrel
