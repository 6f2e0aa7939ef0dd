#pragma once
// The mark a running program keeps on the folder of its data files, so that
// zandrel-data never puts files back under it. Only Windows has a running
// program: elsewhere there is no mark and no program runs.
#include <string>

namespace zandrel {

class RunningMark {
public:
    explicit RunningMark(const std::string& folder);
    ~RunningMark();
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

private:
    [[maybe_unused]] void* mark_ = nullptr; // Windows: the named mutex
};

// Whether a running program of this session holds the mark of `folder`,
// under any name of it (relative, other case or separators, another drive
// letter or a share of the same folder). Programs on other PCs that share
// the folder hold no mark here: they merge what changes under them.
bool ProgramRunsFrom(const std::string& folder);

} // namespace zandrel
