#include "EditGuard.h"

namespace {
bool g_editing = false;
}

bool TryEnterEdit() {
    const bool previous = g_editing;
    g_editing = true;
    return previous;
}

void LeaveEdit(bool state) { g_editing = state; }
