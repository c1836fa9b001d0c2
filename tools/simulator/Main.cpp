// The registry simulator: a generated registry on 127.0.0.1 for running the program offline.

#include "tools/simulator/FaultPlan.h"
#include "tools/simulator/RegistryData.h"
#include "tools/simulator/SimulatorOptions.h"

#include "tests/support/FakeRegistry.h"

#include <signal.h>

#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using testsupport::FakeRegistry;
using testsupport::RegistryServer;

// Serves until SIGINT or SIGTERM arrives.
void Serve(const simulator::SimulatorOptions& options)
{
    // Blocked before the server's threads start, so that they inherit the mask and the signals
    // reach the sigwait below only.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    const std::vector<simulator::SimulatedSro> sros = simulator::GenerateRegistry(options.seed);
    const std::vector<simulator::PlannedFault> faults =
        simulator::PlanFaults(sros, options.seed, options.faultRate);

    FakeRegistry registry(options.plain ? RegistryServer::Tls::Off : RegistryServer::Tls::On,
                          options.port);
    std::size_t members = 0;
    for (const simulator::SimulatedSro& sro : sros) {
        members += sro.members.size();
        registry.AddSro(sro.id, sro.members);
    }
    for (const simulator::PlannedFault& fault : faults) {
        registry.FailNext(fault.path, fault.page, fault.answers);
    }

    std::cerr << sros.size() << " SROs, " << members << " members, " << faults.size()
              << " faults planned (seed " << options.seed << "); default link "
              << registry.SroLink(simulator::DefaultSroId) << "\n";
    std::cout << "listening on " << registry.Server().BaseUrl() << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    std::cerr << "stopping after " << registry.Server().Requests().size() << " requests\n";
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const simulator::SimulatorOptions options =
            simulator::ParseSimulatorOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << simulator::SimulatorUsage;
            return 0;
        }
        Serve(options);
        return 0;
    } catch (const std::invalid_argument& error) {
        std::cerr << "registry-simulator: " << error.what() << "\n" << simulator::SimulatorUsage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "registry-simulator: " << error.what() << "\n";
        return 1;
    }
}
