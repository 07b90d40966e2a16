#include "tavrin/flow/Node.h"

#include "orvane/GlErrorCheck.h"
#include "tavrin/flow/NodeGlCheck.h"

namespace Tavrin::Flow {

Node::~Node() = default;

float Node::evaluate(float) { return value; }

void Node::evaluateChildren(float time)
{
    for (Node* child : children_) {
        child->evaluate(time);
        if (Orvane::GlErrorCheck::enabled())
            checkGlAfter(*child);
    }
}

int Node::countNodes() const
{
    int count = 1;
    for (const Node* child : children_)
        count += child->countNodes();
    return count;
}

void Node::addBorrowedChild(Node* child) { children_.push_back(child); }

}
