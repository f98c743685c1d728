// Puts the module's variables back as they stood before the first test, for a
// test that runs many fresh starts in one process.
#pragma once

void reset_module_state_for_tests();
