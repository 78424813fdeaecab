// Writes the browser page's window from the window's definition: the markup
// of the menu bar, of every control and of the window 「途中式と答え合わせ」
// (index.html), each control's place, size, font and stacking (page.css, after
// the page's own styles read from PAGE_CSS), the codes the engine and the
// page's script pass between them (codes.js), and the same layout without the
// engine for the start-up benchmark (static.html). Run at build time:
//
//   generate_page DIST_DIR BENCH_DIR PAGE_CSS
//
// Each of these is written by a part of its own (web/generator/generate_page.h).

#include "web/generator/generate_page.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "form/definition.h"

namespace {

bool writeFile(const std::string &path, const std::string &contents)
{
    std::ofstream file(path, std::ios::binary);
    file << contents;
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char **argv)
{
    using namespace tobarin;
    using namespace tobarin::web;

    if (argc != 5) {
        std::cerr << "usage: generate_page DIST_DIR BENCH_DIR PAGE_CSS PRACTICE_CSS\n";
        return 2;
    }
    const std::string dist = argv[1];
    const std::string bench = argv[2];
    // The page's own styles come first in its one stylesheet, then those
    // written here: one file fewer to fetch before the page can be drawn.
    std::ifstream pageStyles(argv[3]);
    if (!pageStyles) {
        std::cerr << "generate_page: cannot read " << argv[3] << "\n";
        return 1;
    }

    std::ostringstream page;
    std::vector<const ControlDefinition *> written;
    writePage(page, true, "", &written);
    if (!tabOrderHolds(written)) {
        std::cerr << "generate_page: document order cannot give the window's tab order\n";
        return 1;
    }
    std::ostringstream styles;
    styles << pageStyles.rdbuf() << "\n";
    if (styles.str().find("@media " + phoneQuery() + " {") == std::string::npos) {
        std::cerr << "generate_page: " << argv[3] << " has no rules @media " << phoneQuery()
                  << " for a phone\n";
        return 1;
    }
    writeStyles(styles);
    std::ifstream practiceOwnStyles(argv[4]);
    if (!practiceOwnStyles) {
        std::cerr << "generate_page: cannot read " << argv[4] << "\n";
        return 1;
    }
    std::ostringstream practiceStyles;
    practiceStyles << practiceOwnStyles.rdbuf();
    writePracticeStyles(practiceStyles);
    std::ostringstream staticPage;
    writePage(staticPage, false, "../dist/", nullptr);
    std::ostringstream codes;
    writeCodesModule(codes);
    std::ostringstream practiceCodes;
    writePracticeModule(practiceCodes);

    const bool ok = writeFile(dist + "/index.html", page.str())
        && writeFile(dist + "/page.css", styles.str())
        && writeFile(dist + "/practice.css", practiceStyles.str())
        && writeFile(dist + "/codes.js", codes.str())
        && writeFile(dist + "/practice-codes.js", practiceCodes.str())
        && writeFile(bench + "/static.html", staticPage.str());
    if (!ok) {
        std::cerr << "generate_page: cannot write the page\n";
        return 1;
    }
    return 0;
}
