#pragma once

#include "shell/program_state.h"

namespace tallyfold {

// Lists the files of the extension now selected; with no row selected the file list empties.
void OnExtensionSelection(ProgramState& state);

// Opens the file list's selected file; a double-click with no row selected does nothing.
void OnFileDoubleClick(ProgramState& state);

// Walks C:\ or D:\ afresh as the folder box says, any other drive walking C:\.
void OnFolderBoxClosed(ProgramState& state);

}  // namespace tallyfold
