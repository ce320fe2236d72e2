// One load or save of a configuration file in a process of its own, so that
// tst_configfile can run it as an unprivileged user: file permissions do not
// bind root, which runs the tests in CI.
//   config_file_helper save PATH   saves the store of savedStore() below
//   config_file_helper load PATH
// Prints the error, if any; exits 0 on success, 1 on failure, 2 on misuse.
#include "config/ConfigFile.h"
#include "config/RegisterStore.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[2]);
    RegisterStore store;
    ConfigFileResult result;
    if (std::strcmp(argv[1], "save") == 0) {
        store.setText(17, "Door open"); // what the test expects in the file
        result = saveConfigFile(path, store);
    } else if (std::strcmp(argv[1], "load") == 0) {
        result = loadConfigFile(path, store);
    } else {
        return 2;
    }
    std::fputs(result.error.toUtf8().constData(), stdout);
    return result.ok ? 0 : 1;
}
