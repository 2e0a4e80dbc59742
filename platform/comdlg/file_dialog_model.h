// What the open and save dialogs know apart from their windows: the filter
// pairs, the wildcard match, the listing of a folder, where the dialog
// starts, how a typed name becomes a path, and how the chosen path is
// written back into OPENFILENAMEA.
#pragma once

#include <string>
#include <vector>

#include "platform/comdlg/commdlg.h"

namespace win32::comdlg {

struct Filter {
    std::string description;
    std::vector<std::string> patterns;  // "*.txt", "*.*"
};

// The pairs of a filter string ("Text\0*.txt;*.log\0All\0*.*\0\0"); an
// unpaired last description is dropped. Null gives no filters.
std::vector<Filter> ParseFilter(LPCSTR filter);

// Wildcards as the desktop matches names: '*' any run, '?' one character,
// letters without regard to case; "*.*" matches every name.
bool MatchesPattern(const std::string& name, const std::string& pattern);
bool MatchesAny(const std::string& name, const std::vector<std::string>& patterns);

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// Folders first, then the files that match, each sorted without regard to
// case; names starting with a dot only when `showHidden`. A folder that
// cannot be read gives an empty list.
std::vector<FolderEntry> ListFolder(const std::string& folder, const std::vector<std::string>& patterns,
                                    bool showHidden);

bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);

// The folder the dialog opens at: the folder of a path already in the file
// field, else the initial folder, else the current folder; one that does
// not exist gives way to its nearest existing parent.
std::string StartFolder(const std::string& fileField, LPCSTR initialDir);

// A typed name taken against the folder shown ("/" starts an absolute
// path, ".." climbs), without "." and ".." parts.
std::string ResolveTyped(const std::string& folder, const std::string& typed);
// The parent of a folder ("/" stays "/").
std::string ParentFolder(const std::string& folder);
std::string JoinPath(const std::string& folder, const std::string& name);
// The name after the last separator.
std::string FileNamePart(const std::string& path);
// The extension without its dot, empty when none.
std::string ExtensionOf(const std::string& path);

// The extension a name without one gets: the first concrete extension of
// the current filter when there is a default extension at all, else the
// default extension itself; empty when none applies.
std::string ExtensionToAdd(const std::string& path, LPCSTR defExt, const Filter* currentFilter);

// True when a typed name is a wildcard pattern (it then filters the list
// instead of choosing a file).
bool IsPattern(const std::string& typed);

// Writes the chosen path into the structure (lpstrFile, nFileOffset,
// nFileExtension, lpstrFileTitle, OFN_EXTENSIONDIFFERENT). False with
// FNERR_BUFFERTOOSMALL in *error when lpstrFile is too small; the first two
// bytes then hold the size needed, as the desktop does.
bool WriteResult(OPENFILENAMEA& ofn, const std::string& path, DWORD* error);

}  // namespace win32::comdlg
