// UpdateFiles: the files an update makes in the program's folder, and the record of them.
#pragma once

#include "common/Object.h"
#include "common/String.h"
#include "common/util/File.h"

#include <string>
#include <vector>

namespace util {
namespace version {

// Names the files of an update beside the program "<name>.exe": the downloaded updater
// "updater.exe", the new version "<name>.upd" with its signature copy "<name>.upd.sig",
// and the old program that the updater keeps, "<name>.exe.old". The record
// "<name>.update" beside them lists those that an update made, each with the identity
// (FileIdentity) it had when the update wrote it. A file of one of these names is the
// update's own only while the record names it with that identity; any other (a user's
// own "Enneo.exe.old", an unrelated "updater.exe" beside a portable copy, a file put
// there after the update's was deleted) is never replaced or removed. The record itself
// is read, rewritten or deleted only when it reads as one:
//
//   Enneo Tessary update record
//   <size> <index> <file name>       one line for each file, decimal, in UTF-8
//
// or in the earlier form (UTF-16 file names, one a line, none of another name), whose
// files, having no identity, are not the update's any more.
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
    const String& GetRecord() const { return record_; }

    // True when the record is missing or reads as one: the update may record its files.
    bool IsRecordUsable() const;
    // Frees the name of file (a path of this object's) for the update: true when no
    // file has it, or the update's own had it and is deleted now; false when another
    // file has it, or the record is not one (then nothing is touched).
    bool Claim(const String& file);
    // Makes file (a path of this object's) anew with the size bytes, lets nobody else
    // open it until it is on the disk, and records it. Raises, naming the file, when it
    // cannot be made or recorded; the name must be free (Claim).
    void Write(const String& file, const char* bytes, size_t size);
    // Records file (a path of this object's) with its identity now, replacing an entry
    // of its name. Raises when the record cannot be written or is not one.
    void Record(const String& file, const FileIdentity& identity);
    // Deletes every recorded file whose identity still matches, each through the handle
    // it was checked with, and rewrites the record with those that could not be deleted
    // (a program still running), or deletes it when none is left. A record that is not
    // one is left alone, and so is every file.
    void RemoveRecorded();

private:
    struct Entry {
        std::wstring name;
        FileIdentity identity;
    };
    // The record's entries into entries; false when the file is there but is not a
    // record. Entries of the earlier form are left out.
    bool ReadRecord(std::vector<Entry>& entries) const;
    // The entry of a line of the record "<size> <index> <file name>"; false when the
    // line is not one, or names none of this object's files.
    bool ReadEntry(const std::string& line, Entry& entry) const;
    // Writes the entries as the record, or deletes it when there are none; false when
    // it cannot.
    bool WriteRecord(const std::vector<Entry>& entries);
    // The file names this object's paths end in.
    std::vector<std::wstring> FileNames() const;
    // Deletes the file at the path when its identity is the entry's; true when it is
    // gone, false when it stays (another file, or one that cannot be deleted).
    bool DeleteIfRecorded(const std::wstring& path, const FileIdentity& identity) const;

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
