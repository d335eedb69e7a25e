// The host in memory, for the logic's tests: it holds a host state as the
// stand-in reads it (the same JSON text, parsed by the stand-in's reader)
// and answers the program's questions from it, without the stand-in's
// session, environment variable or journal. It records the link calls.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/host.h"
#include "hostsim/filter_eval.h"
#include "hostsim/fiscal_calendar_rules.h"
#include "hostsim/host_state.h"

class FakeHost : public Host {
  public:
    hostsim::HostState state;
    // "Connect", "OwnerWindow <n>", "JoinSession", "ShowMessage", "Close",
    // "ReleaseFolders", "BeginTotals", "EndTotals", in call order.
    std::vector<std::string> calls;
    // The totals queries' calls: "Open", "Begin", "GetRowCount",
    // "SeekRow <n>", "NextRow", "End".
    std::vector<std::string> queryCalls;
    struct Shown {
        HostWindow owner;
        std::string text;
        std::string title;
    };
    std::vector<Shown> shown;
    bool calendarAvailable = true;
    bool totalsQueryAvailable = true;
    // The totals query raises a failure nobody expects.
    bool totalsThrow = false;
    // Runs inside Close, as the host's sign-out code would.
    std::function<void()> onClose;

    // `body` is the JSON text inside the top-level braces of a host state.
    void Load(const std::string& body) { LoadText("{" + body + "}"); }
    // A whole host state file's text.
    void LoadText(const std::string& json) {
        hostsim::StateParseError error;
        ASSERT_EQ(hostsim::ParseHostState(json, state, error), hostsim::kStateOk)
            << error.field << ": " << error.reason;
    }
    const hostsim::DatasetEntry* Open() const { return state.OpenDataset(); }

    std::int32_t Connect(const char*) override {
        calls.push_back("Connect");
        return state.results.connect;
    }
    void SetOwnerWindow(HostWindow owner) override {
        calls.push_back("OwnerWindow " + std::to_string(reinterpret_cast<std::uintptr_t>(owner)));
    }
    std::int32_t JoinSession() override {
        calls.push_back("JoinSession");
        return state.results.joinHostSession;
    }
    void ShowMessage(HostWindow owner, const std::string& text, const char* title,
                     std::uint32_t) override {
        calls.push_back("ShowMessage");
        shown.push_back({owner, text, title});
    }
    void Close() override {
        calls.push_back("Close");
        if (onClose) onClose();
    }

    UserSelection CurrentUser() override {
        return {state.userId, state.selectionFirst, state.selectionSecond};
    }
    bool FindDataset(std::int32_t datasetNo, DatasetRecord& record) override {
        record.Clear();
        for (const hostsim::DatasetEntry& dataset : state.datasets) {
            if (dataset.record.DatasetNo() != datasetNo) continue;
            record = dataset.record;
            return true;
        }
        return false;
    }
    bool TaxInclusiveDefault() override {
        return Open() != nullptr && state.results.readSettings == 0 && Open()->taxInclusiveDefault;
    }
    std::string FolderPath(FolderKind kind) override {
        return kind == kFolderOutput ? state.outputFolder : state.conditionsFolder;
    }
    void ReleaseFolders() override { calls.push_back("ReleaseFolders"); }
    // The closing day the period's last day shows decides, as in the
    // host's calendar: a first day after it belongs to the next month's
    // books.
    bool AccountingMonthOfFirstDay(std::int32_t periodStart, std::int32_t periodEnd,
                                   std::int16_t& month) override {
        if (!calendarAvailable) return false;
        const int cutoff = hostsim::CutoffDayOfEndDate(periodEnd);
        const int calendarMonth = periodStart / 100 % 100;
        const bool closed = cutoff != 0 && periodStart % 100 > cutoff;
        month = static_cast<std::int16_t>(closed ? calendarMonth % 12 + 1 : calendarMonth);
        return true;
    }
    void WalkAccounts(const AccountFilter* filter, const AccountVisitor& visit) override {
        ++accountWalks;
        if (Open() == nullptr) return;
        for (const hostsim::AccountEntry& account : Open()->accounts) {
            if (filter != nullptr &&
                !hostsim::MatchesFilter(*filter, account.record.Code(), account.classCode)) {
                continue;
            }
            if (!visit(account.record)) return;
        }
    }
    std::unique_ptr<TotalsQuery> OpenTotalsQuery() override {
        queryCalls.push_back("Open");
        if (totalsThrow) throw std::runtime_error("the host's query failed");
        if (!totalsQueryAvailable) return nullptr;
        if (state.results.switchDatasetAtTotals) {
            state.selectionSecond = *state.results.switchDatasetAtTotals;
        }
        return std::make_unique<Query>(*this);
    }

    int accountWalks = 0;
    int queriesBegun = 0;
    // The filter the last query began with.
    AccountFilter lastFilter;

  private:
    // The host's query: every totals row of the open dataset, failing where
    // the state's results say.
    class Query final : public TotalsQuery {
      public:
        explicit Query(FakeHost& host) : host_(host) {}
        std::string DatasetId() const override {
            return host_.Open() != nullptr ? host_.Open()->record.DatasetId() : "";
        }
        void Begin(const AccountFilter& filter) override {
            host_.calls.push_back("BeginTotals");
            host_.queryCalls.push_back("Begin");
            host_.lastFilter = filter;
            ordinal_ = ++host_.queriesBegun;
        }
        std::int32_t GetRowCount(std::int32_t* count) override {
            host_.queryCalls.push_back("GetRowCount");
            const hostsim::HostResults& results = host_.state.results;
            if (ordinal_ == 1 && results.firstQueryGetRowCount != 0) {
                return results.firstQueryGetRowCount;
            }
            if (results.getRowCount != 0) return results.getRowCount;
            *count = host_.Open() != nullptr ? static_cast<std::int32_t>(Rows().size()) : 0;
            return 0;
        }
        std::int32_t SeekRow(std::int32_t row) override {
            host_.queryCalls.push_back("SeekRow " + std::to_string(row));
            if (host_.state.results.seekRow != 0) return host_.state.results.seekRow;
            position_ = static_cast<std::size_t>(row);
            return 0;
        }
        std::int32_t NextRow(AccountTotalsRecord* record) override {
            host_.queryCalls.push_back("NextRow");
            record->Clear();
            const hostsim::HostResults& results = host_.state.results;
            if (calls_++ == results.nextRowFailAt) return results.nextRowFailCode;
            if (host_.Open() == nullptr || position_ >= Rows().size()) return kHostNoMoreRows;
            *record = Rows()[position_++];
            return 0;
        }
        void End() override {
            host_.calls.push_back("EndTotals");
            host_.queryCalls.push_back("End");
        }

      private:
        const std::vector<AccountTotalsRecord>& Rows() const { return host_.Open()->totals; }

        FakeHost& host_;
        std::size_t position_ = 0;
        std::int32_t calls_ = 0;
        int ordinal_ = 0;
    };
};
