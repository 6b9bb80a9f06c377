#pragma once
// The overwrite question of a batch that writes files whose names may be
// taken, and what the user's answers mean for the rest of the batch.
#include <string>

namespace lumvex {

enum class TOverwriteMode { Ask, SkipExisting, OverwriteAll };

enum class TOverwriteAction { Write, PassOver, EndBatch };

// Decides about writing to path: after Yes to All every file is written
// without even a look; a free path is written; a taken one is passed over
// after No to All, else the question (Yes, No, Cancel, No to All, Yes to All)
// decides and may change the mode. Cancel, or closing the box, ends the batch.
TOverwriteAction AskOverwrite(const std::string& path, const std::string& question, TOverwriteMode& mode);

}  // namespace lumvex
