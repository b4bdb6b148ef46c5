#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "link/LinkProfile.h"
#include "link/NetworkRequest.h"
#include "link/TWinmap27Port.h"

namespace norda {

// What the owner of a request channel decides in each turn of the request loop.
class RequestSteps {
  public:
    virtual ~RequestSteps() = default;
    // A link is wanted and not up, and no LA is awaited: request it (RequestLink), or give up.
    virtual void LinkNeeded() = 0;
    // The link is up and nothing is awaited: hand the next request over (Send), if any.
    virtual void SendNext() = 0;
};

// One network request at a time to the radio, on a station of its own: the request goes
// out in an LT, its LA is awaited and, where the request has one, its reply, each until a
// deadline on the clock; a request whose LA does not come is sent again, up to a limit.
// Both programs' transfer machines talk to the radio through one of these and only decide
// what to send next; the waits come from their link profile.
//
// A lost LA leaves V(S) at the number of an LT the radio may already have taken. The same
// request may go out again under that number (the radio takes it for a repeat and
// acknowledges it); a different one would be acknowledged and dropped. So before a
// different request the channel restarts the link and then sends it on the fresh link, and
// its owner does not see that restart: it is told neither of the link reset nor of the
// link coming up again.
//
// Both programs run the same loop over it: Receive takes a frame, Turn asks the owner for
// the link or the next request, RunWaits ends the waits that have fallen due. Everything the
// engine reports reaches the owner's listener, from inside those calls; the owner decides
// only what to send next (RequestSteps) and what a reply means (LinkListener).
class RequestChannel final : private LinkListener {
  public:
    enum class [[nodiscard]] SendResult{
        Sent,         // on the line; its LA is awaited
        WriteFailed,  // the port did not take the whole frame (and has said so); the LA is
                      // awaited as for a frame sent, so the request goes out again after it
        Resyncing,    // the link restarts first; the request goes out once it is up
        GaveUp,       // sent as often as allowed without an acknowledgement: not sent again
    };

    RequestChannel(const LinkProfile& profile, int portNumber, int32_t baud, LinkListener& owner,
                   Clock& clock = SteadyClock::Instance(),
                   std::unique_ptr<ByteStream> stream = nullptr);
    RequestChannel(const RequestChannel&) = delete;
    RequestChannel& operator=(const RequestChannel&) = delete;

    TWinmap27Port& Link() { return link_; }
    const TWinmap27Port& Link() const { return link_; }
    TPort& Port() { return link_.Port(); }
    const TPort& Port() const { return link_.Port(); }
    Clock& TimeSource() const { return link_.Port().TimeSource(); }

    // Takes one frame from the port, if a whole one is there, and acts on it. The result
    // of TWinmap27Port::ReceiveFrame: < 0 when the port failed.
    int Receive();
    // The frame just taken was an LT that we acknowledged.
    bool JustAcknowledged() const { return link_.AckSent(); }
    // While the pause after our LA lasts, the turn holds everything back; empty otherwise.
    std::optional<Deadline> QuietUntil() const { return link_.QuietUntil(Now()); }

    // How a turn of the request loop went.
    enum class TurnResult {
        AwaitingAck,  // an LA is awaited: nothing was asked of the owner
        HeldBack,     // the turn acknowledged the radio's message: the next request waits for
                      // the next turn, which the owner runs at once
        Taken,        // the owner was asked for the link or the next request, where one fits
    };
    // The turn after a Receive: unless an LA is awaited, the owner requests the link when it
    // is wanted, or sends its next request when the channel is idle.
    TurnResult Turn(RequestSteps& steps);
    // Ends the waits that have fallen due (an LA that did not come frees the channel for
    // the request to go again); true when the reply to the last request did not come.
    bool RunWaits(uint32_t now) {
        AckWaitExpired(now);
        return ReplyWaitExpired(now);
    }

    // A link is wanted and not up.
    bool NeedsLink() const { return link_.LinkRequested(); }
    // An LA is awaited (to our link request or to our last LT).
    bool AwaitingAck() const { return ackWait_.has_value(); }
    // The reply to the last request is awaited.
    bool AwaitingReply() const { return replyWait_.has_value(); }
    // The link is up, no LA is awaited and no reply is due: a request may go out.
    bool Idle() const {
        return !ackWait_ && link_.LinkEstablished() &&
               link_.NetworkState() == TWinmap27Port::kNetworkIdle;
    }

    // Sends our link request and awaits its LA. A restart of the channel's own whose LR
    // went unanswered stays the channel's: its owner still hears nothing of the link.
    void RequestLink();
    // A new link is wanted; nothing goes out until RequestLink.
    void RequireLink() { link_.RequireLink(); }
    // Counts a link request; true while there have been no more than `limit` since the
    // link was last up (a restart's own LR is the first).
    bool TakeLinkAttempt(int limit) { return ++linkAttempts_ <= limit; }

    // Hands a request over. `maxSends` bounds how often one request goes out, and how many
    // LTs in a row may go unacknowledged.
    [[nodiscard]] SendResult Send(const NetworkRequest& request, int maxSends);
    // How often the request last sent has gone out since it was first handed over.
    int Sends() const { return sends_; }

    // The deadlines: the earliest of the LA and the reply wait, if any runs.
    std::optional<Deadline> NextDeadline() const;
    std::optional<Deadline> AckDeadline() const { return ackWait_; }
    std::optional<Deadline> ReplyDeadline() const { return replyWait_; }
    // Ends the wait for an LA if its time has come (true): no reply is awaited any more,
    // and the owner may send again or ask for the link.
    bool AckWaitExpired(uint32_t now);
    // Ends the wait for a reply if its time has come (true): the request went unanswered.
    bool ReplyWaitExpired(uint32_t now);

    // Forgets the exchange under way: no waits, no reply awaited, nothing counted, the
    // port's queues purged. The link state is the owner's to set (DropLink, RequireLink).
    void Stop();
    void DropLink() { link_.DropLink(); }
    // Starts the count of sends, unacknowledged LTs and link requests afresh.
    void ResetAttempts() {
        sends_ = 0;
        unacknowledged_ = 0;
        linkAttempts_ = 0;
    }

  private:
    void OnLinkReset() override;
    void OnLinkUp() override;
    void OnAcknowledged() override;
    void OnReply(const RadioReply& reply) override;
    void OnReport(const uint8_t* message, size_t length) override;
    void OnTrace(std::string_view text) override;

    uint32_t Now() const { return TimeSource().TickCount(); }
    Deadline After(uint32_t ms) const { return Deadline::In(TimeSource(), ms); }

    TWinmap27Port link_;
    LinkListener& owner_;
    std::optional<Deadline> ackWait_;
    std::optional<Deadline> replyWait_;
    // Sends of the current request, and LTs sent since the last LA (a restart for a lost
    // LA does not end that run: a radio that never acknowledges is given up).
    int sends_ = 0;
    int unacknowledged_ = 0;
    int linkAttempts_ = 0;
    // An LT went out on this link, and which: a different request may not follow it while
    // its LA is outstanding.
    bool sentOnLink_ = false;
    NetworkRequest lastSent_;
    // The link is being restarted for the request handed over; its owner is not told.
    bool resyncing_ = false;
    std::array<uint8_t, TWinmap27Port::kFrameBufferSize> frame_{};
};

}  // namespace norda
