// A private copy of the distribution folder for one test, with the paths of
// the settings files Peekbar keeps next to its executable.
#pragma once

#include <string>

namespace e2e {

class Installation {
public:
    // Copies every file of the distribution folder into a new, uniquely
    // named folder under the system's temporary folder, or under `parent`.
    Installation();
    explicit Installation(const std::wstring& parent);
    // Removes the folder again, unless the test has failed: then it is kept
    // and its path printed, for a look at the settings files.
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    // The folder, without a trailing separator.
    const std::wstring& Folder() const { return folder_; }
    std::wstring ExePath() const;
    // "<folder>\<user>_Peekbar.ini": holds the selected profile's number.
    std::wstring MainSettingsPath() const;
    // "<folder>\<user>_Peekbar_<k>.ini": one profile's settings.
    std::wstring ProfilePath(unsigned k) const;

private:
    std::wstring folder_;
};

// The logged-on user's name, as it appears in the settings file names.
std::wstring UserName();

bool FileExists(const std::wstring& path);

// Deletes a folder with everything in it; true when it is gone.
bool RemoveFolderTree(const std::wstring& folder);

}  // namespace e2e
