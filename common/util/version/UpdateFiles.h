// UpdateFiles: the files an update makes in the program's folder, and the record of them.
#pragma once

#include "common/Object.h"
#include "common/String.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace util {
namespace version {

// Names the files of an update beside the program "<name>.exe": the downloaded updater
// "updater.exe", the new version "<name>.upd" with its signature copy
// "<name>.upd.sig", and the old program that the updater keeps, "<name>.exe.old".
// The record "<name>.update" beside them lists, one file name a line, those that an
// update made or is about to make; only recorded files are ever removed, so an
// unrelated "updater.exe" in the folder of a portable copy survives. A record entry
// that names none of these files is ignored, so a planted record removes nothing else.
class UpdateFiles : public Object {
public:
    // folder: the program's folder, ending in a backslash; name: the program file's
    // name without ".exe". Both are copied.
    UpdateFiles(const wchar_t* folder, const wchar_t* name);

    // The paths in the folder.
    const String& GetProgram() const { return program_; }
    const String& GetNewVersion() const { return newVersion_; }
    const String& GetSignatureCopy() const { return signatureCopy_; }
    const String& GetKeptProgram() const { return keptProgram_; }
    const String& GetUpdater() const { return updater_; }

    // Adds files (paths of this object's) to the record; raises when it cannot be
    // written.
    void Record(std::initializer_list<const String*> files);
    // True when the file (a path of this object's) is recorded.
    bool IsRecorded(const String& file) const;
    // Deletes every recorded file and then the record; files that exist but cannot be
    // deleted (a program still running) stay recorded for the next time.
    void RemoveRecorded();

private:
    // The file name of each path of this object's, without the folder.
    std::vector<std::wstring> FileNames() const;
    // The recorded names that belong to this object's files.
    std::vector<std::wstring> ReadRecord() const;
    // Writes the names as the record, or deletes the record when there are none.
    void WriteRecord(const std::vector<std::wstring>& names);

    String folder_;
    String program_;
    String newVersion_;
    String signatureCopy_;
    String keptProgram_;
    String updater_;
    String record_;
};

}  // namespace version
}  // namespace util
