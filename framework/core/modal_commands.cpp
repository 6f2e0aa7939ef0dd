#include "framework/core/modal_commands.h"

namespace zandrel {

CommandAdmission AdmitCommand(WhileModal rule, bool inModalLoop, bool alreadyRunning) {
    switch (rule) {
    case WhileModal::Runs:
        break;
    case WhileModal::Refused:
        return inModalLoop ? CommandAdmission::Refuse : CommandAdmission::Run;
    case WhileModal::RunsOnce:
        return alreadyRunning ? CommandAdmission::BringOpenWindowUp : CommandAdmission::Run;
    }
    return CommandAdmission::Run;
}

} // namespace zandrel
