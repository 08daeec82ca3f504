// norvtext-script FILE | -: runs a script on a headless form and prints what happens.
#include <fstream>
#include <iostream>

#include "apps/script/script_host.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: norvtext-script FILE | -\n";
        return 2;
    }
    const std::string path = argv[1];
    std::ifstream file;
    if (path != "-") file.open(path, std::ios::binary);
    if (path != "-" && !file) {
        std::cerr << "norvtext-script: cannot open " << path << '\n';
        return 2;
    }
    try {
        norvtext::script::ScriptHost(std::cout).run(path == "-" ? std::cin : file);
    } catch (const norvtext::script::ScriptError& e) {
        std::cout.flush();
        std::cerr << e.what() << '\n';
        return 2;
    }
    return 0;
}
