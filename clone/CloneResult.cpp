#include "CloneResult.h"

const char* CloneResultText(ECloneResult result) {
    switch (result) {
    case ECloneResult::Ok: return "completed";
    case ECloneResult::Cancelled: return "cancelled";
    case ECloneResult::Failed: return "communication failure";
    case ECloneResult::Incompatible: return "repeater not compatible";
    case ECloneResult::PortError: return "port not available";
    }
    return "unknown result";
}

const char* RunErrorText(ERunError error) {
    switch (error) {
    case ERunError::None: return "running";
    case ERunError::Cancelled: return "cancelled";
    case ERunError::Ended: return "ended";
    case ERunError::BadFrame: return "unexpected frame";
    case ERunError::NoEcho: return "no echo";
    case ERunError::NoAnswer: return "no answer";
    }
    return "unknown";
}
