#include "link/RequestChannel.h"

namespace norda {

namespace {

// An acknowledgement cannot come before our frame has left the port and the LA has come
// back over the line. At 9600 Bd and above that is a small part of the wait; at 1200 Bd
// a 128-byte block alone takes longer than the whole wait, so every block would be
// counted lost and no write could ever succeed.
uint32_t AckLineTime(const TWinmap27Port& link, size_t sentFrameLength) {
    return link.Port().LineTimeMs(sentFrameLength + TWinmap27Port::kShortFrameLength);
}

// Likewise the reply: at 300 Bd an 80-byte block alone is on the line for longer than the
// whole wait. Stuffing is not counted; the wait itself covers that of ordinary data.
constexpr size_t kReplyFraming =
    17;  // SYN DLE STX, LT header, 03 04 memory address, DLE ETX, check
uint32_t ReplyLineTime(const TWinmap27Port& link, const NetworkRequest& request) {
    return link.Port().LineTimeMs(kReplyFraming + request.ReplyDataLength());
}

}  // namespace

RequestChannel::RequestChannel(const LinkProfile& profile, int portNumber, int32_t baud,
                               LinkListener& owner, Clock& clock,
                               std::unique_ptr<ByteStream> stream)
    : link_(profile, portNumber, baud, clock, std::move(stream)), owner_(owner) {
    link_.SetListener(this);
    link_.SetMemoryAccess(true);
}

int RequestChannel::Receive() {
    link_.ForgetAck();
    const int received = link_.ReceiveFrame(frame_.data(), frame_.size());
    if (received > 0) {
        link_.ProcessFrame(frame_.data(), static_cast<size_t>(received));
    }
    return received;
}

RequestChannel::TurnResult RequestChannel::Turn(RequestSteps& steps) {
    if (AwaitingAck())
        return TurnResult::AwaitingAck;
    if (QuietUntil())
        return TurnResult::HeldBack;
    if (NeedsLink()) {
        steps.LinkNeeded();
    } else if (Idle()) {
        if (JustAcknowledged())
            return TurnResult::HeldBack;
        steps.SendNext();
    }
    return TurnResult::Taken;
}

void RequestChannel::RequestLink() {
    link_.ResetLink();
}

RequestChannel::SendResult RequestChannel::Send(const NetworkRequest& request, int maxSends) {
    if (sends_ >= maxSends || unacknowledged_ >= maxSends) {
        return SendResult::GaveUp;
    }
    if (link_.AwaitingAck() && sentOnLink_ && !(request == lastSent_)) {
        resyncing_ = true;
        linkAttempts_ = 1;
        link_.ResetLink();
        return SendResult::Resyncing;
    }
    ++sends_;
    ++unacknowledged_;
    sentOnLink_ = true;
    lastSent_ = request;
    const Status written = link_.Send(request);
    ackWait_ = After(AckLineTime(link_, link_.LastFrameLength()) + link_.Profile().ackWaitMs);
    return Succeeded(written) ? SendResult::Sent : SendResult::WriteFailed;
}

std::optional<Deadline> RequestChannel::NextDeadline() const {
    return Earlier(ackWait_, replyWait_, Now());
}

bool RequestChannel::AckWaitExpired(uint32_t now) {
    if (!Due(ackWait_, now)) {
        return false;
    }
    ackWait_.reset();
    link_.EndExchange();
    return true;
}

bool RequestChannel::ReplyWaitExpired(uint32_t now) {
    if (!Due(replyWait_, now)) {
        return false;
    }
    replyWait_.reset();
    return true;
}

void RequestChannel::Stop() {
    link_.EndExchange();
    ackWait_.reset();
    replyWait_.reset();
    if (Port().PortOpen()) {
        Port().Purge();
    }
    resyncing_ = false;
    sentOnLink_ = false;
    ResetAttempts();
}

void RequestChannel::OnLinkReset() {
    replyWait_.reset();
    sentOnLink_ = false;
    // Called just before the LR goes out.
    ackWait_ = After(AckLineTime(link_, TWinmap27Port::kShortFrameLength) +
                     link_.Profile().linkRequestWaitMs);
    if (!resyncing_) {
        owner_.OnLinkReset();
    }
}

void RequestChannel::OnLinkUp() {
    ackWait_.reset();
    if (link_.Profile().linkUpEndsExchange) {
        replyWait_.reset();
    } else if (link_.NetworkState() == TWinmap27Port::kNetworkAwaitingReply) {
        replyWait_ = After(ReplyLineTime(link_, lastSent_) + link_.Profile().replyWaitMs);
    }
    sentOnLink_ = false;
    sends_ = 0;
    linkAttempts_ = 0;
    if (resyncing_) {
        // The link was restarted for the request handed over: the owner goes on as if
        // nothing had happened and sends it now.
        resyncing_ = false;
        return;
    }
    unacknowledged_ = 0;
    owner_.OnLinkUp();
}

void RequestChannel::OnAcknowledged() {
    ackWait_.reset();
    if (link_.NetworkState() == TWinmap27Port::kNetworkAwaitingReply) {
        replyWait_ = After(ReplyLineTime(link_, lastSent_) + link_.Profile().replyWaitMs);
    }
    ResetAttempts();
    owner_.OnAcknowledged();
}

void RequestChannel::OnReply(const RadioReply& reply) {
    replyWait_.reset();
    // The radio cannot answer an LT it never took: a reply to the request awaited
    // acknowledges it, also where its LA was lost on the line. Waiting on for that LA would
    // end in sending the request again under the number the radio has already taken, and
    // the radio acknowledges such a repeat without answering it.
    if (ackWait_ && sentOnLink_ && link_.AwaitingAck() &&
        reply.kind == RadioReply::Kind::MemoryArea &&
        lastSent_.AnsweredBy(reply.memory, reply.address)) {
        link_.TakeAnswerAsAcknowledgement();
        ackWait_.reset();
        ResetAttempts();
        owner_.OnAcknowledged();
    }
    owner_.OnReply(reply);
}

void RequestChannel::OnReport(const uint8_t* message, size_t length) {
    owner_.OnReport(message, length);
}

void RequestChannel::OnTrace(std::string_view text) {
    owner_.OnTrace(text);
}

}  // namespace norda
