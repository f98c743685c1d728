// Linked into every test program: the tests of one build tree write below
// that tree's own scratch folder (testing::TempDir() reads TEST_TMPDIR), so
// two builds running their tests at once never share files.
#include <cstdlib>

namespace {

const bool scratch_folder_set = [] {
    setenv("TEST_TMPDIR", ORVEX_TEST_TMPDIR, 0);
    return true;
}();

} // namespace
