#pragma once

// Resource identifiers shared by Quorvane.rc and the code.
#define IDI_QUORVANE 1
