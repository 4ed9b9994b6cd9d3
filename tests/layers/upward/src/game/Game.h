#pragma once
struct TStateThing {};
