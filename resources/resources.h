#pragma once

// Registers the icons compiled into this static library; safe to call more than once.
void initResources();
