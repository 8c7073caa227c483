// How a clone operation ended, and how a transfer run ends. The numbers are the
// result codes the operations have always reported (and `tolvar` exits with).
#pragma once

enum class ECloneResult {
    Ok = 0,
    Cancelled = 1,
    Failed = 77,        // communication failure
    Incompatible = 85,  // model or revision not compatible
    PortError = 91,     // the port could not be opened
};

// "completed", "cancelled", "communication failure", ...
const char* CloneResultText(ECloneResult result);

// Why a run stopped (None: still running).
enum class ERunError {
    None = 0,
    Cancelled = 1,
    Ended = 2,      // the exchange ended as it should
    BadFrame = 80,  // an unexpected or malformed frame, or a refused write
    NoEcho = 81,
    NoAnswer = 82,
};

// "ended", "unexpected frame", "no echo", ...
const char* RunErrorText(ERunError error);
