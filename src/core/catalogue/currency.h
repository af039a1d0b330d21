#pragma once

// The currency a product is priced in: roubles, but euros for the utility meters.
enum class Currency { Roubles, Euros };
