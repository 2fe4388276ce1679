// Resource identifiers of lint.dll (its version record only).
#pragma once
#define LINT_VERSION_INFO 1
