// A host state file in a temporary folder, named by LDG_HOST_STATE, and a
// fresh stand-in session for each test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/host_link.h"
#include "hostsim/host_session.h"
#include "tests/unit/fakes/sample_state.h"

class HostFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        char folder[] = "/tmp/ldg-unit-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
        statePath_ = folder_ + "/state.json";
        journalPath_ = folder_ + "/journal.log";
        setenv("LDG_HOST_STATE", statePath_.c_str(), 1);
        hostsim::ResetSession();
    }
    void TearDown() override {
        hostsim::ResetSession();
        unsetenv("LDG_HOST_STATE");
        std::remove(statePath_.c_str());
        std::remove(journalPath_.c_str());
        std::remove(folder_.c_str());
    }

    // Writes the state file; `body` is the JSON text inside the top-level
    // braces, to which the journal field is added.
    void WriteState(const std::string& body) {
        std::ofstream out(statePath_, std::ios::binary);
        out << "{\"journal\": \"" << journalPath_ << "\"" << (body.empty() ? "" : ", ") << body
            << "}";
    }
    void WriteRawState(const std::string& text) {
        std::ofstream out(statePath_, std::ios::binary);
        out << text;
    }

    std::vector<std::string> JournalLines() const {
        std::ifstream in(journalPath_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::string folder_;
    std::string statePath_;
    std::string journalPath_;
};
