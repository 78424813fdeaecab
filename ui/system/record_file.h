#pragma once

#include "engine/practice/round.h"

#include <functional>
#include <string>

// The practice record as this computer keeps it, shared by the window 練習
// and `tobarin --practice`: the record's text (engine/practice/round.h) in
// the file practice-record.txt, in the folder of the program's settings
// (QSettings "Tobarin", "Tobarin"). Earlier versions kept it in the settings
// themselves, as "practice/record": until the file is first written, the
// record is read from there, and the settings are never written here.
//
// Each change is made to the record as it is kept at that moment, under a
// lock beside the file, and written whole through a temporary file: rounds
// and windows at the same time each keep their results, and a record that
// cannot be read or written is left as it is. Qt Core only.
namespace tobarin {

class RecordFile {
public:
    // The record of the program's own settings folder.
    RecordFile();

    // The file's path, as its bytes.
    [[nodiscard]] const std::string &path() const { return m_path; }

    // The record as it is kept now; or, when it cannot be read, an empty
    // record and why, naming the file.
    struct Kept {
        practice::Record record;
        std::string error;
    };
    [[nodiscard]] Kept read() const;

    // Applies `change` to the record as it is kept now and writes it back
    // whole, under the lock. Gives "" when it is kept, or why it could not be
    // (then nothing was written).
    [[nodiscard]] std::string change(const std::function<void(practice::Record &)> &change) const;

private:
    std::string m_path;
    std::string m_settings;
};

}  // namespace tobarin
