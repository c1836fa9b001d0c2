#pragma once

#include <QTimer>

#include <chrono>
#include <vector>

// How late the UI thread serves a timer: armed again at each firing, so each sample is the
// delay beyond the period of one event, not an accumulated drift.
namespace bench {

class LatencyProbe {
public:
    explicit LatencyProbe(std::chrono::milliseconds period);

    void Start();
    void Stop();
    // Milliseconds beyond the period, one per firing since Start.
    const std::vector<double>& Lateness() const { return lateness_; }

private:
    void Fired();

    std::chrono::milliseconds period_;
    QTimer timer_;
    std::chrono::steady_clock::time_point armed_;
    std::vector<double> lateness_;
};

// Serves the calling thread's events for `duration`.
void ServeEventsFor(std::chrono::milliseconds duration);

} // namespace bench
