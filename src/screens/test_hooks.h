#pragma once
// The screens' reset for tests: no links, the main menu page, no map shown,
// no medal sparkles.
void ResetScreensForTests();
