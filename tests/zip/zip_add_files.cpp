// Writes one archive from the files named on the command line, for checks by
// independent readers.
//   zip_add_files [--time EPOCH] [--level N] ARCHIVE PATH...
// Prints one line per path: "added PATH", "refused PATH" or "error PATH: message".
#include "zip/ZipArchive.h"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    CZipArchive archive;
    int level = -1;
    int arg = 1;
    for (; arg + 1 < argc && std::string(argv[arg]).rfind("--", 0) == 0; arg += 2) {
        const std::string option = argv[arg];
        if (option == "--time") {
            archive.SetModTimeOverride(std::strtoll(argv[arg + 1], nullptr, 10));
        } else if (option == "--level") {
            level = std::atoi(argv[arg + 1]);
        } else {
            std::cerr << "unknown option " << option << '\n';
            return 2;
        }
    }
    if (arg >= argc) {
        std::cerr << "usage: zip_add_files [--time EPOCH] [--level N] ARCHIVE PATH...\n";
        return 2;
    }
    try {
        archive.Open(argv[arg]);
        for (++arg; arg < argc; ++arg) {
            try {
                std::cout << (archive.AddFile(argv[arg], level) ? "added " : "refused ")
                          << argv[arg] << '\n';
            } catch (const CFileException& error) {
                std::cout << "error " << argv[arg] << ": " << error.what() << '\n';
            }
        }
        archive.Close();
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
